#pragma once

#include <array>

// The seven lists of the editor that the load and save roads read and set.
enum class EditorList { List1, Combo1, Combo2, Combo3, Combo4, Combo5, Combo6 };

// The lists that can give the Parameter, in the order a save looks for the visible one.
constexpr std::array<EditorList, 4> ParameterLists = {EditorList::Combo2, EditorList::Combo3,
                                                      EditorList::Combo4, EditorList::Combo5};
