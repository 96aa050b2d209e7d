#include <QtTest>

#include "ScriptedCommonDialogs.h"
#include "clsCommonDialog.h"

#include <memory>
#include <stdexcept>
#include <string>

using namespace std::string_literals;

template <>
char *QTest::toString(const std::string &text)
{
    return QTest::toPrettyCString(text.data(), qsizetype(text.size()));
}

constexpr std::uintptr_t Owner = 0x5A17;

class TestClsCommonDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dialogs = std::make_unique<ScriptedCommonDialogs>();
        m_dialog = std::make_unique<clsCommonDialog>(*m_dialogs);
    }
    void cleanup()
    {
        m_dialog.reset();
        m_dialogs.reset();
    }

    void showOpen_fillsTheRecord()
    {
        m_dialogs->cancel();
        QCOMPARE(m_dialog->ShowOpen(Owner, "Open"), "");
        QCOMPARE(m_dialog->FilterIndex(), 0);
        QVERIFY(last().record.lpstrInitialDir && !last().record.lpstrDefExt);
        QCOMPARE(last().request.initialDir, "");
        QCOMPARE(last().record.Flags, 0x1804u);
        QCOMPARE(last().rawFilter, "All Files (*.*)\0*.*\0\0"s);
        m_dialogs->choose("/roms/game.nds");
        QCOMPARE(m_dialog->ShowOpen(Owner, "Open ROM", "/roms", "NDS ROMs (*.nds)|*.nds", 0x0804), "/roms/game.nds");
        const OPENFILENAME &record = last().record;
        QVERIFY(last().request.kind == FileDialogRequest::Kind::Open);
        QCOMPARE(record.lStructSize, 76u);
        QCOMPARE(record.hwndOwner, Owner);
        QVERIFY(record.hInstance != 0 && record.hInstance == ProgramInstance());
        QCOMPARE(last().rawFile, std::string(254, ' ') + '\0');
        QCOMPARE(record.nMaxFile, 255u);
        QCOMPARE(std::string(record.lpstrFileTitle, 255), std::string(254, ' ') + '\0');
        QCOMPARE(record.nMaxFileTitle, 255u);
        QCOMPARE(last().request.initialDir, "/roms");
        QCOMPARE(last().request.title, "Open ROM");
        QCOMPARE(record.Flags, 0x0804u);
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open", "/given");
        QCOMPARE(last().request.initialDir, "/given");
    }

    void filterReachesDialogAsNulSeparatedList_data()
    {
        QTest::addColumn<std::string>("filter");
        QTest::addColumn<std::string>("list");
        QTest::addColumn<int>("pairs");
        QTest::newRow("no closing bar") << "NDS ROMs (*.nds)|*.nds"s << "NDS ROMs (*.nds)\0*.nds\0\0"s << 1;
        QTest::newRow("closing bar") << "All Files (*.*)|*.*|"s << "All Files (*.*)\0*.*\0\0"s << 1;
        QTest::newRow("two filters") << "A|*.a|B|*.b;*.c"s << "A\0*.a\0B\0*.b;*.c\0\0"s << 2;
        QTest::newRow("empty") << ""s << "\0\0"s << 0;
    }
    void filterReachesDialogAsNulSeparatedList()
    {
        QFETCH(std::string, filter);
        QFETCH(std::string, list);
        QFETCH(int, pairs);
        m_dialog->ShowOpen(Owner, "Open", "", filter);
        QCOMPARE(last().rawFilter, list);
        QCOMPARE(int(last().request.filters.size()), pairs);
        // The string's own terminator supplies the last NUL; a second one would be appended text.
        QCOMPARE(clsCommonDialog::convertFilter(filter), list.substr(0, list.size() - 1));
    }

    void showOpen_returnsChosenPathAndHandsItToTheNextCall_data()
    {
        QTest::addColumn<std::string>("chosen");
        QTest::addColumn<std::string>("expected");
        QTest::newRow("plain") << "/roms/game.nds"s << "/roms/game.nds"s;
        QTest::newRow("blanks inside") << "/my roms/a b.nds"s << "/my roms/a b.nds"s;
        QTest::newRow("blanks at both ends") << "  /roms/x.nds "s << "/roms/x.nds"s;
        QTest::newRow("254 characters") << "/" + std::string(253, 'n') << "/" + std::string(253, 'n');
        QTest::newRow("non-ASCII") << "/Bild-\xC3\xA4\xC3\x9F.nds"s << "/Bild-\xC3\xA4\xC3\x9F.nds"s;
    }
    void showOpen_returnsChosenPathAndHandsItToTheNextCall()
    {
        QFETCH(std::string, chosen);
        QFETCH(std::string, expected);
        m_dialogs->choose(chosen);
        QCOMPARE(m_dialog->ShowOpen(Owner, "Open"), expected);
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(last().request.initialDir, expected);
    }

    void failedCallChangesNothing_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<std::string>("chosen"); // empty: the user cancels
        QTest::addColumn<uint>("error");
        QTest::newRow("open, cancel") << false << ""s << uint(CDERR_NOERROR);
        QTest::newRow("open, 255 characters") << false << "/" + std::string(254, 'n') << uint(FNERR_BUFFERTOOSMALL);
        QTest::newRow("save, cancel") << true << ""s << uint(CDERR_NOERROR);
        QTest::newRow("save, 128 characters") << true << std::string(128, 'p') << uint(FNERR_BUFFERTOOSMALL);
    }
    void failedCallChangesNothing()
    {
        QFETCH(bool, save);
        QFETCH(std::string, chosen);
        QFETCH(uint, error);
        m_dialogs->choose("/roms/first.nds", 2);
        m_dialog->ShowOpen(Owner, "Open");
        chosen.empty() ? m_dialogs->cancel() : m_dialogs->choose(chosen, 3);
        QCOMPARE(save ? m_dialog->ShowSave(Owner, "Save") : m_dialog->ShowOpen(Owner, "Open"), "");
        QCOMPARE(m_dialogs->CommDlgExtendedError(), error);
        QCOMPARE(m_dialog->FilterIndex(), 2);
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(m_dialogs->CommDlgExtendedError(), CDERR_NOERROR);
        QCOMPARE(last().request.initialDir, "/roms/first.nds");
        QCOMPARE(last().record.nFilterIndex, 2u);
    }

    void showSave_fillsTheRecord()
    {
        m_dialogs->choose("/out/a.gpl", 2);
        QCOMPARE(m_dialog->ShowSave(Owner, "Save list", "evolutions", "/lists", "L|*.gpl|", 0x0002), "/out/a.gpl");
        QVERIFY(last().request.kind == FileDialogRequest::Kind::Save);
        QCOMPARE(last().record.hwndOwner, Owner);
        QCOMPARE(last().record.hInstance, ProgramInstance());
        QCOMPARE(last().rawFile, "evolutions" + std::string(118, '\0'));
        QCOMPARE(last().rawFilter, "L\0*.gpl\0\0"s);
        QCOMPARE(last().request.title, "Save list");
        QCOMPARE(last().request.defaultExtension, ".gpl");
        QCOMPARE(last().request.initialDir, "/lists");
        QCOMPARE(last().record.Flags, 0x0002u);
        QCOMPARE(m_dialog->FilterIndex(), 2);
        m_dialog->ShowSave(Owner, "Save", std::string(128, 'f'));
        QCOMPARE(last().rawFile, std::string(128, 'f'));
        QCOMPARE(last().record.Flags, 0x1802u);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, m_dialog->ShowSave(Owner, "Save", std::string(129, 'f')));
        QCOMPARE(m_dialogs->seen.size(), std::size_t(2));
    }

    void showSave_keepsTheLastOpenedFileAndSharesTheRecord()
    {
        m_dialogs->choose("/roms/opened.nds", 4);
        m_dialog->ShowOpen(Owner, "Open");
        m_dialogs->choose("/out/list.gpl", 2);
        m_dialog->ShowSave(Owner, "Save");
        QCOMPARE(last().rawFile, std::string(128, '\0'));
        QCOMPARE(last().request.initialDir, "");
        QCOMPARE(last().record.nFilterIndex, 4u);
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(last().request.initialDir, "/roms/opened.nds");
        QCOMPARE(last().request.defaultExtension, ".gpl");
        QCOMPARE(last().record.nFilterIndex, 2u);
    }

    void dialogsRefuseRecordOfWrongSize()
    {
        char buffer[64] = {};
        OPENFILENAME record;
        record.lpstrFile = buffer;
        record.nMaxFile = sizeof buffer;
        m_dialogs->choose("/roms/never.nds");
        for (std::uint32_t size : {0u, 75u, 77u}) {
            record.lStructSize = size;
            QCOMPARE(m_dialogs->GetOpenFileNameA(record), 0);
            QCOMPARE(m_dialogs->GetSaveFileNameA(record), 0);
            QCOMPARE(m_dialogs->CommDlgExtendedError(), CDERR_STRUCTSIZE);
        }
        QVERIFY(m_dialogs->seen.empty());
        record.lStructSize = OpenFileNameSize;
        QCOMPARE(m_dialogs->GetSaveFileNameA(record), 1);
        QCOMPARE(m_dialogs->CommDlgExtendedError(), CDERR_NOERROR);
        QCOMPARE(std::string(buffer), "/roms/never.nds");
    }

private:
    const ScriptedCommonDialogs::Seen &last() const { return m_dialogs->seen.back(); }

    std::unique_ptr<ScriptedCommonDialogs> m_dialogs;
    std::unique_ptr<clsCommonDialog> m_dialog;
};

QTEST_GUILESS_MAIN(TestClsCommonDialog)
#include "tst_clsCommonDialog.moc"
