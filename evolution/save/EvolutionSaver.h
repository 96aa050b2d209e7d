#pragma once

#include "EditorList.h"
#include "EvolutionTable.h"

class EvolutionEditor;

// The save road: the Save command writes the selected species' Method, Target and, when a
// parameter list is visible, Parameter back into the image, in place; a field whose list shows
// nothing selected keeps what the image holds. Every routine tests each species of its range
// against the selection, read anew each time; only the matching case writes.
class EvolutionSaver
{
public:
    explicit EvolutionSaver(EvolutionEditor &editor) : m_editor(editor) {}

    // Calls b_a to b_h, each once, in this order.
    void Command_Click();

    void b_a(); // species 1 to 70
    void b_b(); // species 71 to 140
    void b_c(); // species 141 to 210
    void b_d(); // species 211 to 279
    void b_e(); // species 280 to 349
    void b_f(); // species 350 to 419
    void b_g(); // species 420 to 489
    void b_h(); // species 490 to 493

private:
    void runCases(int first, int last);
    void saveCase(int k);
    // False when the write failed.
    bool writeField(int k, EvolutionTable::Field field, EditorList list);

    EvolutionEditor &m_editor;
};
