#pragma once

#include "EditorList.h"

#include <cstdint>
#include <vector>

class EvolutionEditor;

// A stored value that the list it belongs in has no entry for; the list was left with nothing selected.
struct UnshownValue
{
    EditorList list;
    std::uint32_t stored; // the field's bytes as an unsigned number
    std::int32_t width;   // in bytes
};

// The load road: a change of the species list's selection shows that species' evolution entry
// in Combo1 to Combo6. Every routine tests each species of its range against the selection,
// read anew each time; only the case of the selected species reads the image.
class EvolutionLoader
{
public:
    explicit EvolutionLoader(EvolutionEditor &editor) : m_editor(editor) {}

    // Runs a_a, a_b, a_c and then the cases of species 1 to 130. Returns the stored values that
    // could not be shown in Combo1, Combo6 or the parameter list the loaded method shows.
    // The level list shows the parameter only when the whole 16-bit value is a level.
    std::vector<UnshownValue> List1_Click();
    // Whether the last List1_Click stopped at a failed read, so that the lists show only part of
    // the selected species' entry, or none of it.
    bool stopped() const { return m_stopped; }

    void a_a(); // species 131 to 260
    void a_b(); // species 261 to 390
    void a_c(); // species 391 to 493

private:
    void runCases(int first, int last);
    // Stops at the first read that fails; the lists it has not reached then show nothing selected.
    void loadCase(int k);
    // Sets the list to the stored value, or to nothing selected when the list has no entry for it.
    void show(EditorList list, std::uint32_t stored, std::int32_t width);

    EvolutionEditor &m_editor;
    std::vector<UnshownValue> m_unshown;
    bool m_stopped = false;
};
