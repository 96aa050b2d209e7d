#pragma once

// The seven lists of the editor that the load and save roads read and set.
enum class EditorList { List1, Combo1, Combo2, Combo3, Combo4, Combo5, Combo6 };
