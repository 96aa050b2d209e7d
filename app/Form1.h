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
#include <vector>

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
    // The title of the window's own message boxes. Its lower-case first letter and its trailing
    // blank are part of the title; they are meant.
    static const QString ApplicationTitle;

    explicit Form1(CommonDialogs &dialogs, QWidget *parent = nullptr);

    // Free stand-ins for the faces the window names that a Linux desktop rarely has; once, before
    // the first window.
    static void substituteMissingFonts();
    ~Form1() override;

    // Whether an image is open: the file of the last Open that chose one, when its region byte
    // passed. Loads and saves go into no other file.
    bool imageAccepted() const { return m_hex.heldFile().has_value(); }

    std::int16_t ListIndex(EditorList list) const override;
    void SetListIndex(EditorList list, std::int16_t index) override;
    int ListCount(EditorList list) const override;
    bool Visible(EditorList list) const override;
    // The path of the last Open's choice, empty until then.
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
    // Whether a species is selected and RomPath still names the open image; says so in a box
    // when the path names another file now.
    bool speciesOfAcceptedImage();

    std::unique_ptr<Ui::Form1> ui;
    std::array<QComboBox *, 6> m_combos{};
    CommonDialogs &m_dialogs;
    // Holds the open image, and nothing after an Open whose file was rejected or could not be read.
    HexFunctions m_hex;
    EvolutionLoader m_loader;
    EvolutionSaver m_saver;
    std::string RomPath;
    // Whether the lists show the selected species' entry as its last load read it, with the picks
    // made since: false while that load was refused or stopped at a failed read.
    bool m_entryLoaded = false;
};
