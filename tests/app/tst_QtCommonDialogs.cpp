#include <QtTest>

#include <QFileDialog>

#include "QtCommonDialogs.h"

#include <memory>

using Filters = std::vector<FileDialogRequest::Filter>;

namespace {

FileDialogRequest request(FileDialogRequest::Kind kind, std::uint32_t flags,
                          Filters filters = {{"NDS ROMs (*.nds)", "*.nds"}})
{
    FileDialogRequest made;
    made.kind = kind;
    made.title = "Open Quorvel NDS ROM...";
    made.filters = std::move(filters);
    made.flags = flags;
    made.filterIndex = 0;
    return made;
}

// The patterns Qt's file dialog takes from a name filter: those in its last parentheses.
QStringList patternsOf(const QString &nameFilter)
{
    const qsizetype open = nameFilter.lastIndexOf('(');
    if (open < 0 || !nameFilter.endsWith(')'))
        return {};
    return nameFilter.mid(open + 1, nameFilter.size() - open - 2).split(' ', Qt::SkipEmptyParts);
}

} // namespace

class TestQtCommonDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<QFileDialog> dialog;

private slots:
    void init() { dialog = std::make_unique<QFileDialog>(); }
    void cleanup() { dialog.reset(); }

    void nameFiltersShowTheirPatterns_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("patterns already shown") << "NDS ROMs (*.nds)" << "*.nds" << "NDS ROMs (*.nds)";
        QTest::newRow("several patterns") << "Images" << "*.png;*.jpg" << "Images (*.png *.jpg)";
    }
    void nameFiltersShowTheirPatterns()
    {
        QFETCH(QString, description);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        const Filters filters{{description.toStdString(), pattern.toStdString()}};
        QCOMPARE(QtCommonDialogs::nameFilters(filters), QStringList{expected});
    }

    void allFilesFilterMatchesEveryFile()
    {
        const QStringList names = QtCommonDialogs::nameFilters({{"All Files (*.*)", "*.*"}});
        QCOMPARE(names.size(), 1);
        QVERIFY2(names[0].endsWith("(*)"), qPrintable(names[0]));
        for (const char *file : {"README", "image.nds", "archive.tar.gz"})
            QVERIFY2(QDir::match(patternsOf(names[0]), file), file);
    }

    void openRequestAsksForAnExistingFile()
    {
        QtCommonDialogs::configure(*dialog, request(FileDialogRequest::Kind::Open, 0x1804));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Open Quorvel NDS ROM..."));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->nameFilters(), QStringList{"NDS ROMs (*.nds)"});
    }

    void saveRequestPromptsBeforeOverwritingOnlyWhenAsked_data()
    {
        QTest::addColumn<uint>("flags");
        QTest::addColumn<bool>("prompts");
        QTest::newRow("overwrite prompt") << 0x1802u << true;
        QTest::newRow("no overwrite prompt") << 0x1800u << false;
    }
    void saveRequestPromptsBeforeOverwritingOnlyWhenAsked()
    {
        QFETCH(uint, flags);
        QFETCH(bool, prompts);
        QtCommonDialogs::configure(*dialog, request(FileDialogRequest::Kind::Save, flags));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->testOption(QFileDialog::DontConfirmOverwrite), !prompts);
    }

    void filterIndexSelectsTheFilter_data()
    {
        QTest::addColumn<uint>("index");
        QTest::addColumn<QString>("selected");
        QTest::newRow("first") << 1u << "NDS ROMs (*.nds)";
        QTest::newRow("second") << 2u << "Images (*.png *.jpg)";
    }
    void filterIndexSelectsTheFilter()
    {
        QFETCH(uint, index);
        QFETCH(QString, selected);
        FileDialogRequest open = request(FileDialogRequest::Kind::Open, 0x1804,
                                         {{"NDS ROMs (*.nds)", "*.nds"}, {"Images", "*.png;*.jpg"}});
        open.filterIndex = index;
        QtCommonDialogs::configure(*dialog, open);
        QCOMPARE(dialog->nameFilters().size(), 2);
        QCOMPARE(dialog->selectedNameFilter(), selected);
    }

    void initialDirAndTitleKeepNonAsciiText_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("title");
        QTest::newRow("ascii") << "roms" << "Open Quorvel NDS ROM...";
        QTest::newRow("non-ascii") << "Spielstände-äöü" << "Öffnen – ROM ß";
    }
    void initialDirAndTitleKeepNonAsciiText()
    {
        QFETCH(QString, folder);
        QFETCH(QString, title);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(QDir(root.path()).mkdir(folder));
        const QString path = QDir(root.path()).filePath(folder);

        FileDialogRequest open = request(FileDialogRequest::Kind::Open, 0x1804);
        open.title = title.toUtf8().toStdString();
        open.initialDir = QFile::encodeName(path).toStdString();
        QtCommonDialogs::configure(*dialog, open);
        QCOMPARE(dialog->windowTitle(), title);
        QCOMPARE(QFileInfo(dialog->directory().absolutePath()).canonicalFilePath(),
                 QFileInfo(path).canonicalFilePath());
    }
};

QTEST_MAIN(TestQtCommonDialogs)
#include "tst_QtCommonDialogs.moc"
