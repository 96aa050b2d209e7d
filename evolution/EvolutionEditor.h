#pragma once

#include "EditorList.h"

#include <cstdint>
#include <string>

class HexFunctions;

// What the load and save roads see of the main window: the lists' selected indices (-1 for
// nothing selected) and visible states, the opened image's path and the byte routines.
class EvolutionEditor
{
public:
    virtual ~EvolutionEditor() = default;

    virtual std::int16_t ListIndex(EditorList list) const = 0;
    // Takes -1 or an entry index; setting Combo1 runs the parameter-list rule before it returns.
    virtual void SetListIndex(EditorList list, std::int16_t index) = 0;
    virtual int ListCount(EditorList list) const = 0;
    virtual bool Visible(EditorList list) const = 0;
    virtual const std::string &romPath() const = 0;
    virtual HexFunctions &byteAccess() = 0;
};
