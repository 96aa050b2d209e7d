#include <QtTest>
#include <QFileDialog>

#include "QtCommonDialogs.h"

class TestQtCommonDialogs : public QObject
{
    Q_OBJECT

    std::unique_ptr<QFileDialog> dialog;
    FileDialogRequest request;

private slots:
    void init()
    {
        dialog = std::make_unique<QFileDialog>();
        request = {};
        request.title = "Öffnen – ROM ß";
        request.filters = {{"NDS ROMs (*.nds)", "*.nds"}, {"Images", "*.png;*.jpg"}};
    }
    void cleanup() { dialog.reset(); }

    void nameFiltersGiveQtThePatterns_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("matching");
        QTest::newRow("NDS kept as is") << "NDS ROMs (*.nds)" << "*.nds" << "NDS ROMs (*.nds)" << QStringList{"a.nds"};
        QTest::newRow("two patterns") << "Images" << "*.png;*.jpg" << "Images (*.png *.jpg)" << QStringList{"a.jpg"};
        QTest::newRow("every file") << "All (*.*)" << "*.*" << "All (*.*) (*)" << QStringList{"README", "a.tar.gz"};
    }
    void nameFiltersGiveQtThePatterns()
    {
        QFETCH(QString, description);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QFETCH(QStringList, matching);
        const QStringList names = QtCommonDialogs::nameFilters({{description.toStdString(), pattern.toStdString()}});
        QCOMPARE(names, QStringList{expected});
        // Qt's file dialog takes the patterns from the last parentheses only.
        const QStringList patterns = expected.mid(expected.lastIndexOf('(') + 1).chopped(1).split(' ');
        for (const QString &file : matching)
            QVERIFY2(QDir::match(patterns, file), qPrintable(file));
    }

    void configureTakesEveryFieldOfTheRequest_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<uint>("filterIndex");
        QTest::addColumn<QFileDialog::FileMode>("fileMode");
        QTest::addColumn<bool>("prompts");
        QTest::addColumn<int>("selected"); // 1-based
        QTest::newRow("open") << false << 0x1804u << 1u << QFileDialog::ExistingFile << false << 1;
        QTest::newRow("save, prompt") << true << 0x1802u << 2u << QFileDialog::ExistingFile << true << 2;
        QTest::newRow("save, no prompt") << true << 0x0800u << 0u << QFileDialog::AnyFile << false << 1;
        QTest::newRow("index beyond the list") << false << 0x1804u << 3u << QFileDialog::ExistingFile << false << 1;
    }
    void configureTakesEveryFieldOfTheRequest()
    {
        QFETCH(bool, save);
        QFETCH(uint, flags);
        QFETCH(uint, filterIndex);
        QFETCH(QFileDialog::FileMode, fileMode);
        QFETCH(bool, prompts);
        QFETCH(int, selected);
        QTemporaryDir root;
        const QString folder = QDir(root.path()).filePath(QStringLiteral("Spielstände-äöü"));
        QVERIFY(root.isValid() && QDir().mkdir(folder));
        request.kind = save ? FileDialogRequest::Kind::Save : FileDialogRequest::Kind::Open;
        request.flags = flags;
        request.filterIndex = filterIndex;
        request.initialDir = QFile::encodeName(folder).toStdString();

        QtCommonDialogs::configure(*dialog, request);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Öffnen – ROM ß"));
        QCOMPARE(QFileInfo(dialog->directory().absolutePath()).canonicalFilePath(),
                 QFileInfo(folder).canonicalFilePath());
        QCOMPARE(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(dialog->fileMode(), fileMode);
        QCOMPARE(dialog->testOption(QFileDialog::DontConfirmOverwrite), !prompts);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->nameFilters(), QStringList({"NDS ROMs (*.nds)", "Images (*.png *.jpg)"}));
        QCOMPARE(dialog->selectedNameFilter(), dialog->nameFilters().value(selected - 1));
    }
};

QTEST_MAIN(TestQtCommonDialogs)
#include "tst_QtCommonDialogs.moc"
