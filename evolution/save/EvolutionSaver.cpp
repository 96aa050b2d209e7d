#include "EvolutionSaver.h"

#include "EvolutionEditor.h"
#include "EvolutionTable.h"
#include "HexFunctions.h"

void EvolutionSaver::Command_Click()
{
    b_a();
    b_b();
    b_c();
    b_d();
    b_e();
    b_f();
    b_g();
    b_h();
}

void EvolutionSaver::b_a() { runCases(1, 70); }
void EvolutionSaver::b_b() { runCases(71, 140); }
void EvolutionSaver::b_c() { runCases(141, 210); }
void EvolutionSaver::b_d() { runCases(211, 279); }
void EvolutionSaver::b_e() { runCases(280, 349); }
void EvolutionSaver::b_f() { runCases(350, 419); }
void EvolutionSaver::b_g() { runCases(420, 489); }
void EvolutionSaver::b_h() { runCases(490, 493); }

void EvolutionSaver::runCases(int first, int last)
{
    for (int k = first; k <= last; ++k) {
        if (m_editor.ListIndex(EditorList::List1) == k)
            saveCase(k);
    }
}

void EvolutionSaver::saveCase(int k)
{
    // Method, Target, then Parameter from the visible parameter list, if any. The first write
    // that fails ends the case, so that a failing Save shows one box and writes nothing after it.
    if (!writeField(k, EvolutionTable::Method, EditorList::Combo1)
        || !writeField(k, EvolutionTable::Target, EditorList::Combo6))
        return;
    for (EditorList list : ParameterLists) {
        if (m_editor.Visible(list)) {
            writeField(k, EvolutionTable::Parameter, list);
            return;
        }
    }
}

bool EvolutionSaver::writeField(int k, EvolutionTable::Field field, EditorList list)
{
    // A list that shows nothing selected has no value to write: the stored one stays.
    const std::int16_t index = m_editor.ListIndex(list);
    if (index < 0)
        return true;
    return m_editor.byteAccess().WriteField(m_editor.romPath(), EvolutionTable::R(k) + field.offset, index,
                                            field.width);
}
