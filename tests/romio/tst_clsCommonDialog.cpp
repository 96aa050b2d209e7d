#include "ScriptedCommonDialogs.h"
#include "clsCommonDialog.h"

#include <QtTest>

#include <stdexcept>

using namespace std::string_literals;

template <>
char *QTest::toString(const std::string &text)
{
    return QTest::toPrettyCString(text.data(), qsizetype(text.size()));
}

class TestClsCommonDialog : public QObject
{
    Q_OBJECT

    ScriptedCommonDialogs dialogs;
    std::optional<clsCommonDialog> object;
    const ScriptedCommonDialogs::Seen &last() const { return dialogs.seen.back(); }

private slots:
    void init()
    {
        dialogs.seen.clear();
        object.emplace(dialogs);
    }

    void showOpenFillsTheRecordAndRemembersTheLastPath_data()
    {
        QTest::addColumn<std::string>("chosen");
        QTest::addColumn<std::string>("returned"); // empty when the dialog fails
        QTest::newRow("plain") << "/roms/game.nds"s << "/roms/game.nds"s;
        // Blanks of the name are the name's own; only the fill after the NUL is not.
        QTest::newRow("blanks at both ends") << "  /roms/x.nds "s << "  /roms/x.nds "s;
        QTest::newRow("254 bytes") << "/" + std::string(253, 'n') << "/" + std::string(253, 'n');
        QTest::newRow("255 bytes") << "/" + std::string(254, 'n') << ""s;
        QTest::newRow("non-ASCII") << "/Bild-\xC3\xA4\xC3\x9F.nds"s << "/Bild-\xC3\xA4\xC3\x9F.nds"s;
    }
    void showOpenFillsTheRecordAndRemembersTheLastPath()
    {
        QFETCH(std::string, chosen);
        QFETCH(std::string, returned);
        dialogs.choose("/first.nds", 2);
        QCOMPARE(object->ShowOpen(7, "Open ROM", "", "NDS ROMs (*.nds)|*.nds"), "/first.nds"s);
        QCOMPARE(last().rawFilter, "NDS ROMs (*.nds)\0*.nds\0\0"s);
        QCOMPARE(last().rawFile, std::string(254, ' ') + '\0');
        QCOMPARE(std::string(last().record.lpstrFileTitle, 255), std::string(254, ' ') + '\0');
        const OPENFILENAME &r = last().record;
        QVERIFY(r.lStructSize == 76 && r.hwndOwner == 7 && r.hInstance == ProgramInstance() && r.Flags == 0x1804);
        QCOMPARE(last().request.title, "Open ROM"s);

        dialogs.choose(chosen, 3);
        QCOMPARE(object->ShowOpen(7, "Open"), returned);
        QCOMPARE(last().rawFilter, "All Files (*.*)\0*.*\0\0"s);
        QCOMPARE(last().request.initialDir, "/first.nds"s); // the last file itself stands in for a folder
        QCOMPARE(dialogs.CommDlgExtendedError(), returned.empty() ? FNERR_BUFFERTOOSMALL : CDERR_NOERROR);
        QCOMPARE(object->FilterIndex(), returned.empty() ? 2 : 3);
        dialogs.cancel();
        QCOMPARE(object->ShowOpen(7, "Open", "", ""), ""s);
        QCOMPARE(last().rawFilter, "\0\0"s);
        QCOMPARE(last().request.initialDir, returned.empty() ? "/first.nds"s : returned);
    }

    void showSaveFillsItsBufferAndSharesTheRecord()
    {
        dialogs.choose("/roms/opened.nds", 4);
        object->ShowOpen(7, "Open");
        dialogs.choose("/out/a.gpl", 2);
        QCOMPARE(object->ShowSave(7, "Save list", "evolutions", "/lists", "L|*.gpl|", 2), "/out/a.gpl"s);
        QCOMPARE(last().rawFile, "evolutions" + std::string(118, '\0'));
        QVERIFY(last().record.nFilterIndex == 4 && last().record.Flags == 2 && last().request.initialDir == "/lists");
        QCOMPARE(object->FilterIndex(), 2);
        object->ShowSave(7, "Save", std::string(128, 'f'));
        QCOMPARE(last().rawFile, std::string(128, 'f'));
        QCOMPARE(last().record.Flags, 0x1802u);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, object->ShowSave(7, "Save", std::string(129, 'f')));
        QCOMPARE(dialogs.seen.size(), 3u);
        object->ShowOpen(7, "Open");
        QCOMPARE(last().request.defaultExtension, ".gpl"s);
        QCOMPARE(last().request.initialDir, "/roms/opened.nds"s);
    }
};

QTEST_GUILESS_MAIN(TestClsCommonDialog)
#include "tst_clsCommonDialog.moc"
