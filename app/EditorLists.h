#pragma once
#include <array>
#include <string_view>

// The five tables behind the editor's lists; an entry's position is the code the image stores.
namespace EditorLists {
extern const std::array<std::string_view, 494> SpeciesList;
extern const std::array<std::string_view, 27> MethodList;
extern const std::array<std::string_view, 101> LevelList;
extern const std::array<std::string_view, 464> ItemList;
extern const std::array<std::string_view, 468> MoveList;
}
