#include <QtTest>

#include "ScriptedCommonDialogs.h"
#include "clsCommonDialog.h"

#include <memory>
#include <stdexcept>

namespace QTest {
template <>
inline char *toString(const std::string &text)
{
    return toPrettyCString(text.data(), qsizetype(text.size()));
}
} // namespace QTest

namespace {

constexpr std::uintptr_t Owner = 0x5A17;

QByteArray bytes(const std::string &text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

// A literal with its embedded NULs, without the one the compiler adds.
template <std::size_t N>
QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

} // namespace

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
        m_dialogs->choose("/roms/game.nds");
        const std::int32_t flags = 0x0804;
        QCOMPARE(m_dialog->ShowOpen(Owner, "Open ROM", "/roms", "NDS ROMs (*.nds)|*.nds", flags), "/roms/game.nds");
        QCOMPARE(m_dialogs->seen.size(), std::size_t(1));
        const OPENFILENAME &record = last().record;
        QVERIFY(last().request.kind == FileDialogRequest::Kind::Open);
        QCOMPARE(record.lStructSize, 76u);
        QCOMPARE(record.hwndOwner, Owner);
        QVERIFY(record.hInstance != 0);
        QCOMPARE(record.hInstance, ProgramInstance());
        QCOMPARE(bytes(last().rawFile), QByteArray(254, ' ') + '\0');
        QCOMPARE(record.nMaxFile, 255u);
        QVERIFY(m_dialog->record().lpstrFileTitle);
        QCOMPARE(QByteArray(m_dialog->record().lpstrFileTitle, 255), QByteArray(254, ' ') + '\0');
        QCOMPARE(record.nMaxFileTitle, 255u);
        QCOMPARE(last().request.initialDir, "/roms");
        QCOMPARE(last().request.title, "Open ROM");
        QCOMPARE(record.Flags, 0x0804u);
        QCOMPARE(flags, 0x0804);
        QCOMPARE(last().request.filters.size(), std::size_t(1));
        QCOMPARE(last().request.filters[0].description, "NDS ROMs (*.nds)");
        QCOMPARE(last().request.filters[0].pattern, "*.nds");
    }

    void filterReachesDialogAsNulSeparatedList_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QByteArray>("filter");
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<int>("pairs");
        QTest::newRow("open, no closing bar") << false << QByteArray("NDS ROMs (*.nds)|*.nds")
                                              << raw("NDS ROMs (*.nds)\0*.nds\0\0") << 1;
        QTest::newRow("open, closing bar") << false << QByteArray("All Files (*.*)|*.*|")
                                           << raw("All Files (*.*)\0*.*\0\0") << 1;
        QTest::newRow("open, two filters") << false << QByteArray("A|*.a|B|*.b;*.c")
                                           << raw("A\0*.a\0B\0*.b;*.c\0\0") << 2;
        QTest::newRow("open, empty") << false << QByteArray() << raw("\0\0") << 0;
        QTest::newRow("save, closing bar") << true << QByteArray("Lists (*.gpl)|*.gpl|")
                                           << raw("Lists (*.gpl)\0*.gpl\0\0") << 1;
        QTest::newRow("save, empty") << true << QByteArray() << raw("\0\0") << 0;
    }
    void filterReachesDialogAsNulSeparatedList()
    {
        QFETCH(bool, save);
        QFETCH(QByteArray, filter);
        QFETCH(QByteArray, raw);
        QFETCH(int, pairs);
        if (save)
            m_dialog->ShowSave(Owner, "Save", "", "", filter.toStdString());
        else
            m_dialog->ShowOpen(Owner, "Open", "", filter.toStdString());
        QVERIFY(!last().filterIsNull);
        QCOMPARE(bytes(last().rawFilter), raw);
        // The string's own terminator supplies the last NUL; a second one would be appended text.
        QCOMPARE(bytes(clsCommonDialog::convertFilter(filter.toStdString())), raw.chopped(1));
        QCOMPARE(int(last().request.filters.size()), pairs);
    }

    void showOpen_returnsChosenPath_data()
    {
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plain") << QByteArray("/roms/game.nds") << QByteArray("/roms/game.nds");
        QTest::newRow("blanks inside") << QByteArray("/my roms/a b.nds") << QByteArray("/my roms/a b.nds");
        QTest::newRow("blanks at both ends") << QByteArray("  /roms/x.nds ") << QByteArray("/roms/x.nds");
        QTest::newRow("254 characters") << "/" + QByteArray(253, 'n') << "/" + QByteArray(253, 'n');
        QTest::newRow("non-ASCII") << QByteArray("/home/Bild-\xC3\xA4\xC3\xB6\xC3\xBC-\xC3\x9F.nds")
                                   << QByteArray("/home/Bild-\xC3\xA4\xC3\xB6\xC3\xBC-\xC3\x9F.nds");
    }
    void showOpen_returnsChosenPath()
    {
        QFETCH(QByteArray, chosen);
        QFETCH(QByteArray, expected);
        m_dialogs->choose(chosen.toStdString());
        QCOMPARE(bytes(m_dialog->ShowOpen(Owner, "Open")), expected);
        QCOMPARE(m_dialogs->CommDlgExtendedError(), CDERR_NOERROR);
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(bytes(last().request.initialDir), expected);
    }

    void showOpen_pathTooLongForBufferReturnsNothing_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("255") << 255;
        QTest::newRow("256") << 256;
        QTest::newRow("1000") << 1000;
    }
    void showOpen_pathTooLongForBufferReturnsNothing()
    {
        QFETCH(int, length);
        m_dialogs->choose("/first.nds", 2);
        m_dialog->ShowOpen(Owner, "Open");
        m_dialogs->choose("/" + std::string(length - 1, 'n'), 3);
        QCOMPARE(m_dialog->ShowOpen(Owner, "Open"), "");
        QCOMPARE(m_dialogs->CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
        QCOMPARE(m_dialog->FilterIndex(), 2);
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(last().request.initialDir, "/first.nds");
    }

    void showOpen_cancelChangesNothing()
    {
        m_dialogs->choose("/roms/first.nds", 2);
        m_dialog->ShowOpen(Owner, "Open");
        m_dialogs->cancel();
        QCOMPARE(m_dialog->ShowOpen(Owner, "Open"), "");
        QCOMPARE(m_dialogs->CommDlgExtendedError(), CDERR_NOERROR);
        QCOMPARE(m_dialog->FilterIndex(), 2);
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(last().request.initialDir, "/roms/first.nds");
    }

    void showOpen_handsLastResultAsInitialDirAndNewObjectNone()
    {
        m_dialogs->choose("/roms/first.nds");
        m_dialogs->choose("/roms/second.nds");
        m_dialogs->choose("/elsewhere/third.nds");
        m_dialog->ShowOpen(Owner, "Open");
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(last().request.initialDir, "/roms/first.nds");
        m_dialog->ShowOpen(Owner, "Open", "/given");
        QCOMPARE(last().request.initialDir, "/given");

        clsCommonDialog other(*m_dialogs);
        QCOMPARE(other.FilterIndex(), 0);
        m_dialogs->cancel();
        QCOMPARE(other.ShowOpen(Owner, "Open"), "");
        QVERIFY(last().record.lpstrInitialDir);
        QCOMPARE(last().request.initialDir, "");
        QCOMPARE(last().record.Flags, 0x1804u);
        QCOMPARE(bytes(last().rawFilter), raw("All Files (*.*)\0*.*\0\0"));
        QCOMPARE(other.FilterIndex(), 0);
    }

    void filterIndexComesFromDialogAndCarriesOver()
    {
        m_dialogs->choose("/roms/a.nds", 2);
        m_dialog->ShowOpen(Owner, "Open", "", "A|*.a|B|*.b|");
        QCOMPARE(m_dialog->FilterIndex(), 2);
        m_dialogs->choose("/out/b.gpl", 3);
        m_dialog->ShowSave(Owner, "Save");
        QCOMPARE(last().record.nFilterIndex, 2u);
        QCOMPARE(m_dialog->FilterIndex(), 3);
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(last().record.nFilterIndex, 3u);
        QCOMPARE(m_dialog->FilterIndex(), 3);
    }

    void unfilledFieldsKeepPreviousCallsValues()
    {
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QVERIFY(!last().record.lpstrDefExt);
        QVERIFY(!last().record.lpstrCustomFilter);
        QCOMPARE(last().record.nFilterIndex, 0u);

        m_dialogs->choose("/out/list.gpl", 2);
        m_dialog->ShowSave(Owner, "Save");
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner + 1, "Open");
        QCOMPARE(last().request.defaultExtension, ".gpl");
        QCOMPARE(last().record.nFilterIndex, 2u);
        QVERIFY(!last().record.lpstrCustomFilter);
        QCOMPARE(last().record.hwndOwner, Owner + 1);
    }

    void showSave_bufferHoldsFileNameThenNuls_data()
    {
        QTest::addColumn<QByteArray>("fileName");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("short") << QByteArray("abc");
        QTest::newRow("127 characters") << QByteArray(127, 'f');
        QTest::newRow("128 characters") << QByteArray(128, 'f');
    }
    void showSave_bufferHoldsFileNameThenNuls()
    {
        QFETCH(QByteArray, fileName);
        m_dialog->ShowSave(Owner, "Save", fileName.toStdString());
        QCOMPARE(bytes(last().rawFile), fileName + QByteArray(128 - fileName.size(), '\0'));
        QCOMPARE(last().record.nMaxFile, 128u);
        QCOMPARE(bytes(last().request.initialFile), fileName);
    }

    void showSave_fillsTheRecord()
    {
        m_dialogs->choose("/roms/opened.nds");
        m_dialog->ShowOpen(Owner, "Open");
        m_dialogs->choose("/out/evolutions.gpl", 2);
        QCOMPARE(m_dialog->ShowSave(Owner + 2, "Save list", "evolutions"), "/out/evolutions.gpl");
        QVERIFY(last().request.kind == FileDialogRequest::Kind::Save);
        QCOMPARE(last().record.lStructSize, 76u);
        QCOMPARE(last().record.hwndOwner, Owner + 2);
        QCOMPARE(last().record.hInstance, ProgramInstance());
        QCOMPARE(last().request.title, "Save list");
        QCOMPARE(last().request.defaultExtension, ".gpl");
        QCOMPARE(last().request.initialDir, "");
        QCOMPARE(last().record.Flags, 0x1802u);
        QCOMPARE(m_dialog->FilterIndex(), 2);

        m_dialogs->cancel();
        const std::int32_t flags = 0x0002;
        m_dialog->ShowSave(Owner, "Save", "", "/lists", "", flags);
        QCOMPARE(last().request.initialDir, "/lists");
        QCOMPARE(last().record.Flags, 0x0002u);
    }

    void showSave_fileNameTooLongThrowsBeforeAnyDialog()
    {
        m_dialogs->choose("/out/x.gpl");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, m_dialog->ShowSave(Owner, "Save", std::string(129, 'f')));
        QVERIFY(m_dialogs->seen.empty());
        QCOMPARE(m_dialog->FilterIndex(), 0);
    }

    void showSave_resultLeavesLastOpenFileAlone()
    {
        m_dialogs->choose("/out/first.gpl");
        m_dialog->ShowSave(Owner, "Save");
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(last().request.initialDir, "");

        m_dialogs->choose("/roms/opened.nds");
        m_dialog->ShowOpen(Owner, "Open");
        m_dialogs->choose("/out/second.gpl");
        QCOMPARE(m_dialog->ShowSave(Owner, "Save", "draft"), "/out/second.gpl");
        m_dialogs->cancel();
        m_dialog->ShowOpen(Owner, "Open");
        QCOMPARE(last().request.initialDir, "/roms/opened.nds");
    }

    void showSave_cancelChangesNothing()
    {
        m_dialogs->choose("/out/kept.gpl", 4);
        m_dialog->ShowSave(Owner, "Save");
        m_dialogs->cancel();
        QCOMPARE(m_dialog->ShowSave(Owner, "Save", "draft"), "");
        QCOMPARE(m_dialogs->CommDlgExtendedError(), CDERR_NOERROR);
        QCOMPARE(m_dialog->FilterIndex(), 4);
        m_dialogs->choose(std::string(128, 'p'), 5);
        QCOMPARE(m_dialog->ShowSave(Owner, "Save"), "");
        QCOMPARE(m_dialogs->CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
        QCOMPARE(m_dialog->FilterIndex(), 4);
    }

    void dialogs_refuseRecordOfWrongSize_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<uint>("size");
        QTest::newRow("open, zero") << false << 0u;
        QTest::newRow("open, 88") << false << 88u;
        QTest::newRow("save, 75") << true << 75u;
        QTest::newRow("save, 77") << true << 77u;
    }
    void dialogs_refuseRecordOfWrongSize()
    {
        QFETCH(bool, save);
        QFETCH(uint, size);
        std::vector<char> buffer(64, '\0');
        OPENFILENAME record;
        record.lStructSize = size;
        record.lpstrFile = buffer.data();
        record.nMaxFile = std::uint32_t(buffer.size());
        m_dialogs->choose("/roms/never.nds");
        QCOMPARE(save ? m_dialogs->GetSaveFileNameA(record) : m_dialogs->GetOpenFileNameA(record), 0);
        QCOMPARE(m_dialogs->CommDlgExtendedError(), CDERR_STRUCTSIZE);
        QVERIFY(m_dialogs->seen.empty());
        QCOMPARE(buffer, std::vector<char>(64, '\0'));

        record.lStructSize = OpenFileNameSize;
        QCOMPARE(save ? m_dialogs->GetSaveFileNameA(record) : m_dialogs->GetOpenFileNameA(record), 1);
        QCOMPARE(m_dialogs->CommDlgExtendedError(), CDERR_NOERROR);
        QCOMPARE(QByteArray(buffer.data()), QByteArray("/roms/never.nds"));
    }

    void dialogs_leaveBufferAloneWhenPathDoesNotFit()
    {
        std::vector<char> buffer(8, 'x');
        OPENFILENAME record;
        record.lStructSize = OpenFileNameSize;
        record.lpstrFile = buffer.data();
        record.nMaxFile = std::uint32_t(buffer.size());
        record.nFilterIndex = 1;
        m_dialogs->choose("/8chars!", 2);
        QCOMPARE(m_dialogs->GetOpenFileNameA(record), 0);
        QCOMPARE(m_dialogs->CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
        QCOMPARE(buffer, std::vector<char>(8, 'x'));
        QCOMPARE(record.nFilterIndex, 1u);

        m_dialogs->choose("/7chars", 2);
        QCOMPARE(m_dialogs->GetOpenFileNameA(record), 1);
        QCOMPARE(QByteArray(buffer.data(), 8), raw("/7chars\0"));
        QCOMPARE(record.nFilterIndex, 2u);
    }

private:
    const ScriptedCommonDialogs::Seen &last() const { return m_dialogs->seen.back(); }

    std::unique_ptr<ScriptedCommonDialogs> m_dialogs;
    std::unique_ptr<clsCommonDialog> m_dialog;
};

QTEST_GUILESS_MAIN(TestClsCommonDialog)
#include "tst_clsCommonDialog.moc"
