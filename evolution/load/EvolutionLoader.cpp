#include "EvolutionLoader.h"

#include "EvolutionEditor.h"
#include "EvolutionTable.h"
#include "HexFunctions.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>

using EvolutionTable::Field;

namespace {

// The species whose load makes no read of the level byte of its own.
constexpr std::array LevelListSkipSpecies = {95,  108, 114, 117, 123, 137, 176, 190, 193, 198,
                                             200, 221, 315, 349, 366, 438, 439, 440, 458};

bool skipsLevelList(int k)
{
    return std::find(LevelListSkipSpecies.begin(), LevelListSkipSpecies.end(), k) != LevelListSkipSpecies.end();
}

bool isParameterList(EditorList list)
{
    return std::find(ParameterLists.begin(), ParameterLists.end(), list) != ParameterLists.end();
}

struct LoadStep
{
    EditorList list;
    Field field;
};

// Combo1 comes first, so that the parameter-list rule has run before the parameter lists are set.
constexpr std::array<LoadStep, 6> LoadSteps = {{
    {EditorList::Combo1, EvolutionTable::Method},
    {EditorList::Combo2, EvolutionTable::ParameterLowByte},
    {EditorList::Combo3, EvolutionTable::Parameter},
    {EditorList::Combo4, EvolutionTable::Parameter},
    {EditorList::Combo5, EvolutionTable::Parameter},
    {EditorList::Combo6, EvolutionTable::Target},
}};

} // namespace

std::vector<UnshownValue> EvolutionLoader::List1_Click()
{
    m_unshown.clear();
    m_stopped = false;
    a_a();
    a_b();
    a_c();
    runCases(1, 130);

    // A parameter list the method hides routinely holds values meant for another list.
    std::vector<UnshownValue> report;
    for (const UnshownValue &value : m_unshown) {
        if (!isParameterList(value.list) || m_editor.Visible(value.list))
            report.push_back(value);
    }
    return report;
}

void EvolutionLoader::a_a()
{
    runCases(131, 260);
}

void EvolutionLoader::a_b()
{
    runCases(261, 390);
}

void EvolutionLoader::a_c()
{
    runCases(391, 493);
}

void EvolutionLoader::runCases(int first, int last)
{
    for (int k = first; k <= last; ++k) {
        if (m_editor.ListIndex(EditorList::List1) == k)
            loadCase(k);
    }
}

void EvolutionLoader::loadCase(int k)
{
    HexFunctions &hex = m_editor.byteAccess();
    std::bitset<7> setLists; // by EditorList
    const auto set = [&](EditorList list, std::uint32_t stored, std::int32_t width) {
        show(list, stored, width);
        setLists.set(static_cast<std::size_t>(list));
    };

    std::optional<std::uint32_t> levelByte;
    for (const LoadStep &step : LoadSteps) {
        if (step.list == EditorList::Combo2 && skipsLevelList(k))
            continue;

        const auto stored = hex.ReadField(m_editor.romPath(), EvolutionTable::R(k) + step.field.offset, step.field.width);
        if (!stored) {
            // Its box has been shown; the next reads would only repeat it. What was not read
            // shows nothing, so that no value of another entry stays on screen to be saved.
            for (const LoadStep &other : LoadSteps) {
                if (!setLists.test(static_cast<std::size_t>(other.list)))
                    m_editor.SetListIndex(other.list, -1);
            }
            m_stopped = true;
            return;
        }

        // The level list shows a level only when the whole parameter is one, so it waits for
        // the parameter's high byte.
        if (step.list == EditorList::Combo2) {
            levelByte = stored;
            continue;
        }
        if (step.list == EditorList::Combo3) {
            const std::uint32_t parameter = levelByte ? (*stored & 0xFF00) | *levelByte : *stored;
            set(EditorList::Combo2, parameter, EvolutionTable::Parameter.width);
        }
        set(step.list, *stored, step.field.width);
    }
}

void EvolutionLoader::show(EditorList list, std::uint32_t stored, std::int32_t width)
{
    // Two bytes are a 16-bit two's-complement number, so FFFF is -1: nothing selected.
    const int value = width == 2 ? static_cast<std::int16_t>(stored) : static_cast<int>(stored);
    if (value >= -1 && value < m_editor.ListCount(list)) {
        m_editor.SetListIndex(list, static_cast<std::int16_t>(value));
    } else {
        m_editor.SetListIndex(list, -1);
        m_unshown.push_back({list, stored, width});
    }
}
