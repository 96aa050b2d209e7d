#pragma once

#include "ErrorReporter.h"
#include "EvolutionEditor.h"
#include "EvolutionLoader.h"
#include "EvolutionSaver.h"
#include "HexFunctions.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>

class CommonDialogs;
class QComboBox;

namespace Ui {
class Form1;
}

// The editor's only window: the species list, the six drop-down lists of an evolution entry,
// the Save button and the File and About menus.
class Form1 : public QMainWindow, public EvolutionEditor, private ErrorReporter
{
    Q_OBJECT

public:
    static const QString ApplicationTitle;

    explicit Form1(CommonDialogs &dialogs, QWidget *parent = nullptr);
    ~Form1() override;

    // The path of the opened image, empty until an Open.
    std::string RomPath;

    // Whether RomPath names an image that passed the region check; Save writes into no other.
    bool imageAccepted() const { return m_imageAccepted; }

    std::int16_t ListIndex(EditorList list) const override;
    void SetListIndex(EditorList list, std::int16_t index) override;
    int ListCount(EditorList list) const override;
    bool Visible(EditorList list) const override;
    const std::string &romPath() const override { return RomPath; }
    HexFunctions &byteAccess() override { return m_hex; }

private slots:
    void Open1_Click();
    void Exit1_Click();
    void About1_Click();
    void List1_Click();
    void Combo1_Click();
    void Command_Click();

private:
    void ShowErrorBox(const std::string &text, const std::string &title) override;
    void fillLists();
    QComboBox *combo(EditorList list) const;
    void reportUnshown(const std::vector<UnshownValue> &values);

    std::unique_ptr<Ui::Form1> ui;
    std::array<QComboBox *, 6> m_combos{};
    CommonDialogs &m_dialogs;
    HexFunctions m_hex;
    EvolutionLoader m_loader;
    EvolutionSaver m_saver;
    bool m_imageAccepted = false;
};
