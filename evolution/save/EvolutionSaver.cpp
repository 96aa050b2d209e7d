#include "EvolutionSaver.h"

#include "EvolutionEditor.h"
#include "EvolutionTable.h"
#include "HexFunctions.h"

namespace {

// The 16-bit two's complement of index as the rightmost digits of "0000" and its upper-case
// hexadecimal numeral: 2 digits for Method (so -1 gives FF), 4 for Parameter and Target.
std::string hexDigits(std::int16_t index, std::size_t digits)
{
    constexpr char Digits[] = "0123456789ABCDEF";
    auto value = static_cast<std::uint16_t>(index);
    std::string numeral;
    do {
        numeral.insert(numeral.begin(), Digits[value & 0x0F]);
        value >>= 4;
    } while (value != 0);
    const std::string padded = "0000" + numeral;
    return padded.substr(padded.size() - digits);
}

} // namespace

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
    const std::int32_t record = EvolutionTable::R(k);
    writeField(record + EvolutionTable::MethodField, m_editor.ListIndex(EditorList::Combo1), 2);
    writeField(record + EvolutionTable::TargetField, m_editor.ListIndex(EditorList::Combo6), 4);
    for (EditorList list : ParameterLists) {
        if (m_editor.Visible(list)) {
            writeField(record + EvolutionTable::ParameterField, m_editor.ListIndex(list), 4);
            return;
        }
    }
}

void EvolutionSaver::writeField(std::int32_t offset, std::int16_t index, std::size_t digits)
{
    std::string numeral = hexDigits(index, digits);
    std::string text = HexFunctions::SwapBytes(numeral);
    m_editor.byteAccess().WriteHex(m_editor.romPath(), offset, text);
}
