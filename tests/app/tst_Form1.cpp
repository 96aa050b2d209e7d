#include "AsOtherUser.h"
#include "OpenDescriptors.h"
#include "OpenedEditor.h"
#include "QtCommonDialogs.h"

#include <QtTest>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

class TestForm1 : public QObject
{
    Q_OBJECT

    std::unique_ptr<OpenedEditor> e;
    QWidget *control(const QString &name) const { return e->form.findChild<QWidget *>(name); }
    bool shown(const QString &name) const { return control(name)->isVisibleTo(&e->form); }
    void showActive()
    {
        e->form.show();
        e->form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e->form));
    }
    static qsizetype yellowPixels(QWidget *label)
    {
        const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
        return std::count_if(pixels, pixels + image.width() * image.height(), [](QRgb c) { return QColor(c).hue() / 10 == 6 && QColor(c).value() > 160; });
    }

private slots:
    void initTestCase() { Form1::substituteMissingFonts(); }
    void init() { e = std::make_unique<OpenedEditor>(false); }
    void cleanup() { QVERIFY(!e->boxes.join('|').contains("with an icon")); }

    void startsWithNothingOpenOnlySaveTakingTheFocusLabel44BoldAndAbout()
    {
        QVERIFY(e->form.romPath().empty() && e->selections() == QList<int>(6, -1) && e->list->selectedItems().isEmpty());
        QStringList states;
        for (const QString name : {"List1", "Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6", "Command", "Text1"}) {
            states << (!shown(name) ? "hidden" : control(name)->isEnabled() ? "on" : "off");
            // Every entry of every list carries the item data 0.
            const auto *list = qobject_cast<QAbstractItemView *>(control(name));
            const auto *combo = qobject_cast<QComboBox *>(control(name));
            const auto *model = list ? list->model() : combo ? combo->model() : nullptr;
            for (int row = 0; model && row < model->rowCount(); ++row)
                QVERIFY2(model->index(row, 0).data(Qt::UserRole) == QVariant(0), qPrintable(name));
        }
        QCOMPARE(states.join(' '), "off off hidden hidden hidden hidden off on hidden");
        showActive();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control("Command"));
        // Label44 is bold italic in a face that has no bold cut.
        QLabel regular("Zenthavorik", e->form.centralWidget());
        regular.setStyleSheet("font: italic 20.25pt \"Monotype Corsiva\"; color: rgb(255, 255, 0);");
        regular.adjustSize();
        const qsizetype bold = yellowPixels(control("Label44")), plain = yellowPixels(&regular);
        QVERIFY2(plain > 200 && bold > plain * 12 / 10, qPrintable(QString("%1 against %2").arg(bold).arg(plain)));
        e->form.findChild<QAction *>("About1")->trigger();
        QCOMPARE(e->boxes + e->texts, QStringList({"quorvel Thornmere (U) ", " Quorvel Thornmere  (U) [Zenthavorik] "}));
        QVERIFY(e->trace.events.isEmpty());
    }

    void methodShowsItsParameterListOnly()
    {
        const QMap<int, QString> rule = {{4, "Combo2"}, {6, "Combo3"}, {7, "Combo3"}, {18, "Combo3"}, {19, "Combo3"}, {20, "Combo5"}, {21, "Combo4"}};
        for (int n = 2; n <= 5; ++n)
            e->combo(n)->setCurrentIndex(n * 10);
        for (int method : {4, -1, 0, 1, 2, 3, 4, 5, 6, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 18, 20, 21, 4, 22, 23, 24, 25, 26}) {
            e->combo(1)->setCurrentIndex(method);
            for (const QString name : {"Combo2", "Combo3", "Combo4", "Combo5"})
                QVERIFY2(shown(name) == (name == rule.value(method)), qPrintable(QString("method %1, %2").arg(method).arg(name)));
        }
        QCOMPARE(e->selections().mid(1, 4), QList<int>({20, 30, 40, 50}));
    }

    void openChecksTheRegionByteAndReloadsTheSelectedSpecies_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("before"); // "accepted": the test image opened, species 10 selected and edited; "rejected": then a rejected image opened
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("box"); // the title of the one box expected, if any
        QTest::newRow("0x45") << "E" << "" << true << "";
        QTest::newRow("0x45 by Ctrl+O") << "Ctrl+O" << "" << true << "";
        QTest::newRow("0x45 after an accepted image") << "E" << "accepted" << true << "";
        // The entry on screen came from this very file: the picks not yet saved stay.
        QTest::newRow("the same image again") << "same" << "accepted" << true << "";
        QTest::newRow("the same image after a rejected one") << "same" << "rejected" << true << "";
        QTest::newRow("another file made at the image's path") << "remade" << "accepted" << true << "";
        QTest::newRow("0x65") << "e" << "" << false << "";
        QTest::newRow("0x65 after an accepted image") << "e" << "accepted" << false << "";
        QTest::newRow("cancel") << "cancel" << "" << false << "";
        QTest::newRow("cancel after an accepted image") << "cancel" << "accepted" << true << "";
        QTest::newRow("too long") << "too long" << "accepted" << true << Form1::ApplicationTitle;
        // A file that cannot be held is not read: its box is the hold's.
        QTest::newRow("folder") << "folder" << "accepted" << false << "Error: 75";
        QTest::newRow("FIFO") << "fifo" << "accepted" << false << "Error: 75";
        QTest::newRow("device") << "device" << "accepted" << false << "Error: 75";
        QTest::newRow("missing") << "missing" << "accepted" << false << "Error: 53";
        QTest::newRow("no read permission") << "locked" << "accepted" << false << "Error: 70";
        QTest::newRow("shorter than 16 bytes") << "short" << "accepted" << false << "Error: 62";
        QTest::newRow("replaced before its region byte is read") << "replaced" << "" << false << "Error: 75";
    }
    void openChecksTheRegionByteAndReloadsTheSelectedSpecies()
    {
        QFETCH(QString, answer);
        QFETCH(QString, before);
        QFETCH(bool, accepted);
        QFETCH(QString, box);
        TestImage chosen(answer == "short" ? 15 : TestImage::StandardSize, answer + ".nds");
        if (answer != "short")
            chosen.write(15, answer == "e" ? "e" : "E"), chosen.writeEntry(10, {7, 300, 11});
        const QMap<QString, QString> paths{{"same", e->image.path()}, {"remade", e->image.path()}, {"too long", "/" + QString(299, 'q')},
                                           {"folder", chosen.folder()}, {"fifo", chosen.folder() + "/pipe.nds"}, {"device", "/dev/null"},
                                           {"missing", chosen.folder() + "/absent.nds"}};
        const std::string path = QFile::encodeName(paths.value(answer, chosen.path())).toStdString();
        QVERIFY(answer != "fifo" || ::mkfifo(path.c_str(), 0666) == 0);
        QVERIFY(answer != "locked" || (QFile::setPermissions(chosen.folder(), QFileDevice::Permissions(0x7755))
                                       && QFile::setPermissions(chosen.path(), {})));
        showActive();
        if (!before.isEmpty()) // with picks not yet saved, which a reload replaces
            e->open(e->image.localPath()), e->select(10), e->combo(1)->setCurrentIndex(5), e->combo(6)->setCurrentIndex(99);
        if (before == "rejected") {
            TestImage rejected(16, "rejected.nds");
            rejected.write(15, "e");
            e->open(rejected.localPath());
        }
        const bool heldBefore = before == "accepted";
        // The held image moved away, and another file with a region byte that passes put at its path.
        QVERIFY(answer != "remade" || ::rename(qPrintable(chosen.path()), qPrintable(e->image.path())) == 0);
        const QList<int> shownBefore = e->selections();
        const qsizetype descriptors = openDescriptors().size();
        e->trace.events.clear();
        answer == "cancel" ? e->dialogs.cancel() : e->dialogs.choose(path);
        if (answer == "replaced") // by another image whose region byte would pass
            e->trace.beforeNextCall = [&] { QVERIFY(::rename(qPrintable(e->image.path()), qPrintable(chosen.path())) == 0); };
        {
            std::optional<AsOtherUser> nobody; // whom the missing read permission stops
            if (answer == "locked")
                QVERIFY(nobody.emplace().ok());
            answer == "Ctrl+O" ? QTest::keyClick(&e->form, Qt::Key_O, Qt::ControlModifier) : e->form.findChild<QAction *>("Open1")->trigger();
        }
        QCOMPARE(e->dialogs.seen.size(), 1u + (!before.isEmpty()) + (before == "rejected"));
        const auto &[request, record] = e->dialogs.seen.back();
        QVERIFY(request.title == "Open Quorvel NDS ROM..." && request.initialDir.empty() && request.flags == 0x1804);
        QVERIFY(request.filters.size() == 1 && request.filters[0].description == "NDS ROMs (*.nds)" && request.filters[0].pattern == "*.nds");
        QCOMPARE(record.hwndOwner, std::uintptr_t(e->form.winId()));
        QCOMPARE(e->boxes, box.isEmpty() ? QStringList() : QStringList{box});
        QVERIFY(answer != "too long" || e->texts[0].contains("254 bytes"));
        for (const char *name : {"List1", "Combo1", "Combo6"})
            QCOMPARE(control(name)->isEnabled(), accepted);
        // The accepted image is held open until the next Open, and nothing else is left open.
        const bool kept = answer == "cancel" || answer == "too long";
        const QString held = kept ? (heldBefore ? e->image.path() : "") : accepted ? QFile::decodeName(path.c_str()) : "";
        QCOMPARE(openDescriptors().filter(QRegularExpression("\\.nds$")), held.isEmpty() ? QStringList() : QStringList{held});
        QCOMPARE(openDescriptors().size() - descriptors, qsizetype(!held.isEmpty()) - qsizetype(heldBefore));
        if (kept) {
            QVERIFY(e->trace.events.isEmpty() && e->selections() == shownBefore);
            return;
        }
        QVERIFY(e->form.romPath() == path && e->form.findChild<QLineEdit *>("Text1")->text() == "69" && !shown("Text1"));
        QCOMPARE(e->trace.events.count("open"), e->trace.events.count("close"));
        // An accepted image shows the selected species' entry from its own file, read as a click
        // reads it, unless that entry is on screen already.
        const bool reload = accepted && !before.isEmpty() && !(answer == "same" && heldBefore);
        const bool unheld = QStringList{"folder", "fifo", "device", "missing", "locked"}.contains(answer);
        QCOMPARE(e->trace.calls().value(0), unheld ? "" : "read 15 1");
        QCOMPARE(e->trace.calls().size(), reload ? 7 : unheld ? 0 : 1);
        QCOMPARE(e->selections(), reload ? TestImage::shown(answer == "same" ? TestImage::patternEntry(10) : TestImage::Entry{7, 300, 11}) : shownBefore);
        if (answer == "same") { // Save writes what the window shows: method 5 has no parameter
            e->save();
            if (!reload)
                e->image.expect(EvolutionTable::R(10), "\x05"), e->image.expect(EvolutionTable::R(10) + 4, TestImage::bytes({0, 0, 99}).mid(4));
            QCOMPARE(e->image.difference(), -1);
        }
    }

    void openOfTheHeldImageLoadsAnEntryThatWasNotShown_data()
    {
        QTest::addColumn<QString>("how"); // the load of species 4 did not complete
        QTest::addColumn<QString>("box");
        QTest::newRow("refused: the image renamed, then opened under its new name") << "renamed" << Form1::ApplicationTitle;
        QTest::newRow("stopped: the image cut short, then put back whole") << "cut" << "Error: 62";
    }
    void openOfTheHeldImageLoadsAnEntryThatWasNotShown()
    {
        QFETCH(QString, how);
        QFETCH(QString, box);
        e->open(e->image.localPath());
        e->select(3);
        const QString renamed = e->image.folder() + "/renamed.nds", path = how == "renamed" ? renamed : e->image.path();
        QVERIFY(how == "renamed" ? ::rename(qPrintable(e->image.path()), qPrintable(renamed)) == 0
                                 : ::truncate(qPrintable(path), EvolutionTable::R(4) + 3) == 0);
        e->select(4);
        QVERIFY(e->boxes == QStringList{box} && e->selections().mid(1) == QList<int>(5, -1));
        if (how == "cut")
            e->image.saveAs(path);
        e->trace.events.clear();
        e->open(QFile::encodeName(path).toStdString());
        const TestImage::Entry entry = TestImage::patternEntry(4);
        QCOMPARE(e->trace.calls().size(), 7);
        QCOMPARE(e->selections(), TestImage::shown(entry));
        // Save with a target picked writes that byte alone.
        e->combo(6)->setCurrentIndex(entry.target + 1);
        e->save();
        e->image.expect(EvolutionTable::R(4) + 4, TestImage::bytes({entry.method, entry.parameter, entry.target + 1}).mid(4));
        QCOMPARE(e->image.difference(false, path), -1);
        QCOMPARE(e->boxes.size(), 1);
    }

    void openShowsQtsDialogThatListsFilesWithoutReadingThem()
    {
        // Files whose start names a type; inotify tells whether the dialog opened any of them.
        QTemporaryDir folder;
        for (const QString name : {"image.nds", "picture", "script.txt"}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\x89PNG\r\n\x1a\n#!/bin/sh\n") > 0);
        }
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0 && ::inotify_add_watch(watch, QFile::encodeName(folder.path()), IN_OPEN | IN_ACCESS) >= 0);
        QtCommonDialogs dialogs;
        Form1 form(dialogs);
        const auto listIn = [&](const QString &place) {
            bool listed = false;
            QTimer::singleShot(0, [&] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                const auto close = qScopeGuard([dialog] { dialog->reject(); }); // also when a check fails
                QVERIFY(dialog->windowTitle() == "Open Quorvel NDS ROM..." && dialog->fileMode() == QFileDialog::ExistingFile);
                QVERIFY(dialog->acceptMode() == QFileDialog::AcceptOpen && dialog->nameFilters() == QStringList{"NDS ROMs (*.nds)"});
                dialog->setDirectory(place);
                const auto *model = dialog->findChild<QFileSystemModel *>();
                listed = QTest::qWaitFor([&] { return model->rowCount(model->index(place)) > 0; });
                QTest::qWait(100);
            });
            form.findChild<QAction *>("Open1")->trigger();
            return listed && form.romPath().empty();
        };
        QVERIFY(listIn(folder.path()));
        // The folder itself is opened to be listed, and nothing in it.
        alignas(inotify_event) char buffer[4096];
        const ssize_t n = ::read(watch, buffer, sizeof buffer);
        ::close(watch);
        QVERIFY(n > 0);
        for (ssize_t at = 0; at < n; at += ssize_t(sizeof(inotify_event) + reinterpret_cast<inotify_event *>(buffer + at)->len))
            QVERIFY2(reinterpret_cast<inotify_event *>(buffer + at)->mask & IN_ISDIR,
                     qPrintable(QString("the dialog opened %1").arg(reinterpret_cast<inotify_event *>(buffer + at)->name)));
        // Under /proc a read of kmsg waits for the kernel's next message, for good if it has none.
        QVERIFY(listIn("/proc"));
    }

    void windowShowsAndSaveWritesTheSelectedSpeciesOnly_data()
    {
        QTest::addColumn<QString>("gesture"); // after a click on species 3
        QTest::addColumn<int>("species");     // selected afterwards
        QTest::newRow("drag onto the next row") << "drag 4" << 4;
        QTest::newRow("Ctrl+click on the selected row") << "Ctrl+click" << 3;
        QTest::newRow("click where no row is") << "click below" << 3;
        QTest::newRow("Ctrl+Space") << "Ctrl+Space" << 3;
        // In a list of single selection Ctrl moves the selection along with the current row.
        QTest::newRow("Ctrl+Down, Ctrl+Space") << "Ctrl+Down, Ctrl+Space" << 4;
        QTest::newRow("Ctrl+Up") << "Ctrl+Up" << 2;
        QTest::newRow("Ctrl+End") << "Ctrl+End" << 493;
        // Row 0 has no record: the entry on screen stays, and Save writes nothing.
        QTest::newRow("Ctrl+Home") << "Ctrl+Home" << 0;
        QTest::newRow("drag onto row 0") << "drag 0" << 0;
    }
    void windowShowsAndSaveWritesTheSelectedSpeciesOnly()
    {
        QFETCH(QString, gesture);
        QFETCH(int, species);
        showActive();
        e->open(e->image.localPath());
        QWidget *rows = e->list->viewport();
        const auto at = [&](int row) { return e->list->visualItemRect(e->list->item(row)).center(); };
        QTest::mouseClick(rows, Qt::LeftButton, {}, at(3));
        if (gesture.startsWith("drag")) {
            const QPoint end = at(gesture.section(' ', 1).toInt());
            QTest::mousePress(rows, Qt::LeftButton, {}, at(3));
            QTest::mouseMove(rows, end);
            QTest::mouseRelease(rows, Qt::LeftButton, {}, end);
        } else if (gesture == "Ctrl+click") {
            QTest::mouseClick(rows, Qt::LeftButton, Qt::ControlModifier, at(3));
        } else if (gesture == "click below") {
            e->list->scrollToBottom();
            const QPoint below(4, rows->height() - 2);
            QVERIFY(!e->list->indexAt(below).isValid());
            QTest::mouseClick(rows, Qt::LeftButton, {}, below);
        } else {
            QTest::keySequence(e->list, QKeySequence(gesture));
        }
        QCOMPARE(e->list->selectedItems(), QList<QListWidgetItem *>{e->list->item(species)});
        const auto [method, parameter, target] = TestImage::patternEntry(species ? species : 3);
        QCOMPARE(e->selections(), TestImage::shown({method, parameter, target}));
        // Save with the target picked anew changes that byte alone, in the record on screen.
        e->combo(6)->setCurrentIndex(target + 1);
        e->save();
        if (species)
            e->image.expect(EvolutionTable::R(species) + 4, TestImage::bytes({method, parameter, target + 1}).mid(4));
        QCOMPARE(e->image.difference(), -1);
        QVERIFY(e->boxes.isEmpty());
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
