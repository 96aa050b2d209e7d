#include <QtTest>
#include <QtWidgets>

#include "AsOtherUser.h"
#include "EditorLists.h"
#include "Form1.h"
#include "ModalBoxWatcher.h"
#include "ScriptedCommonDialogs.h"
#include "TestImage.h"
#include "TraceRecorder.h"

static const QStringList Labels = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label55", "Label44"};
static const QStringList Combos = {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6"};
static const QStringList TabChain = QStringList{"List1"} + Combos + QStringList{"Command"};
static const QStringList Controls = TabChain + QStringList{"Text1"} + Labels;
static const QString BoxTitle = QStringLiteral("quorvel Thornmere (U) ");

// A TestImage carries region byte 'E' (0x45) unless a test writes another.
class TestForm1 : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScriptedCommonDialogs> dialogs;
    std::unique_ptr<Form1> form;
    TraceRecorder trace;

    template <typename T = QWidget>
    T *control(const QString &name) const { return form->findChild<T *>(name); }
    QComboBox *combo(const QString &name) const { return control<QComboBox>(name); }
    QListWidget *list1() const { return control<QListWidget>("List1"); }
    QAction *action(const char *name) const { return form->findChild<QAction *>(name); }
    bool shown(const QString &name) const { return control(name)->isVisibleTo(form.get()); }
    static QWidget *focus() { return QApplication::focusWidget(); }
    bool showActive() { form->show(); form->activateWindow(); return QTest::qWaitForWindowActive(form.get()); }
    void open(const std::string &path) { dialogs->choose(path); action("Open1")->trigger(); }
    // Whether the image counts as accepted, and whether List1, Combo1 and Combo6 take input.
    QList<bool> editorOn() const
    {
        return {form->imageAccepted(), list1()->isEnabled(), combo("Combo1")->isEnabled(),
                combo("Combo6")->isEnabled()};
    }
    QList<int> selections() const
    {
        const QList<QListWidgetItem *> items = list1()->selectedItems();
        QList<int> indices{items.isEmpty() ? -1 : list1()->row(items.first())};
        for (const QString &name : Combos)
            indices << combo(name)->currentIndex();
        return indices;
    }
    // Everything the editor shows or keeps about the image, in one comparable line.
    QString snapshot() const
    {
        QString line;
        QDebug(&line) << form->RomPath.c_str() << control<QLineEdit>("Text1")->text() << editorOn() << selections();
        for (const QString &name : TabChain + QStringList{"Text1"})
            QDebug(&line) << name << control(name)->isEnabled() << shown(name);
        return line;
    }
    // A species chosen (which loads its entry), then a method, its parameter and a target set by code.
    void selectSomething()
    {
        list1()->setCurrentRow(10);
        for (const auto &[name, index] : {std::pair{"Combo1", 4}, {"Combo2", 30}, {"Combo3", 7}, {"Combo6", 99}})
            combo(name)->setCurrentIndex(index);
    }

private slots:
    void init()
    {
        dialogs = std::make_unique<ScriptedCommonDialogs>();
        form = std::make_unique<Form1>(*dialogs);
        trace.events.clear();
        form->byteAccess().setTrace(&trace);
        for (const QString &name : Controls)
            QVERIFY2(control(name), qPrintable(name));
    }
    void cleanup() { form.reset(); dialogs.reset(); }

    void startsEmptyWithOnlySaveFocusableThenTabsThroughTheLists()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Quorvel Thornmere (U)"));
        QVERIFY(form->RomPath.empty() && !form->imageAccepted());
        QCOMPARE(control<QLineEdit>("Text1")->text(), QString());
        QCOMPARE(selections(), QList<int>(7, -1));
        QStringList states, expected = {"List1 off", "Combo1 off", "Combo2 hidden", "Combo3 hidden", "Combo4 hidden",
                                        "Combo5 hidden", "Combo6 off", "Command on", "Text1 hidden"};
        for (const QString &name : Labels)
            expected << name + " on";
        for (const QString &name : Controls)
            states << name + (!shown(name) ? " hidden" : control(name)->isEnabled() ? " on" : " off");
        QCOMPARE(states, expected);

        // Tab leaving the Save button for no other control shows that no other one takes focus.
        QVERIFY(showActive());
        QCOMPARE(focus(), control("Command"));
        QTest::keyClick(focus(), Qt::Key_Tab);
        QCOMPARE(focus(), control("Command"));
        for (const QString &name : TabChain) {
            control(name)->setEnabled(true);
            control(name)->setVisible(true);
        }
        control("List1")->setFocus(Qt::OtherFocusReason);
        for (const QString &name : TabChain.mid(1) + QStringList{"List1"}) {
            QTest::keyClick(focus(), Qt::Key_Tab);
            QVERIFY2(focus() == control(name), qPrintable("expected focus on " + name));
        }
        // The user's choice of method 0 runs the rule: no parameter list stays shown.
        QTest::keyClick(combo("Combo1"), Qt::Key_Down);
        for (const QString &name : Combos.mid(1, 4))
            QVERIFY2(!shown(name), qPrintable(name));
    }

    void controlsFollowTheDesign_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QColor>("colour"); // labels only
        const auto row = [](const QString &name, QPoint at, const char *caption, const char *font, QColor colour = {}) {
            QTest::newRow(qPrintable(name)) << name << at << QString(caption) << QString(font) << colour;
        };
        const char *labelFont = "Times New Roman 15.75 bold italic";
        const QColor cyan(192, 255, 255);
        row("Label1", {11, 70}, "Level !", labelFont, cyan);
        row("Label2", {11, 121}, "Item Used !", labelFont, cyan);
        row("Label3", {11, 11}, "Evol Type !", labelFont, cyan);
        row("Label4", {11, 173}, "Qourvel !", labelFont, cyan);
        row("Label5", {11, 224}, "Attack  !", labelFont, cyan);
        row("Label6", {11, 275}, "Evolution To !", labelFont, cyan);
        row("Label55", {386, 28}, "Game Code = YRWE", "Tahoma 18 bold italic", QColor(255, 128, 255));
        row("Label44", {395, 94}, "Zenthavorik", "Monotype Corsiva 20.25 bold italic", QColor(255, 255, 0));
        row("Command", {735, 540}, "Save", "Times New Roman 14.25 bold italic");
        row("List1", {696, 4}, "", "Times New Roman 14.25 bold italic");
        row("Text1", {332, 324}, "", "Tahoma 18 bold italic");
        const QPoint at[] = {{154, 11}, {155, 65}, {154, 118}, {153, 170}, {154, 223}, {154, 276}};
        for (int i = 0; i < Combos.size(); ++i)
            row(Combos[i], at[i], "", "Tahoma 8.25");
    }
    void controlsFollowTheDesign()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, position);
        QFETCH(QString, caption);
        QFETCH(QString, font);
        QFETCH(QColor, colour);
        QVERIFY(showActive());
        QWidget *widget = control(name);
        const QFont f = widget->font();
        QCOMPARE(widget->parentWidget(), form->centralWidget());
        QCOMPARE(widget->pos(), position);
        QVERIFY2(form->centralWidget()->rect().contains(widget->geometry()), "beyond the client area");
        for (const QString &other : Controls)
            QVERIFY2(other == name || !widget->geometry().intersects(control(other)->geometry()), qPrintable(other));
        QCOMPARE(widget->property("text").toString(), caption);
        QCOMPARE(QStringLiteral("%1 %2%3%4").arg(f.family()).arg(f.pointSizeF()).arg(f.bold() ? " bold" : "")
                     .arg(f.italic() ? " italic" : ""), font);
        if (!colour.isValid())
            return;
        QCOMPARE(widget->width(), widget->sizeHint().width());
        QCOMPARE(widget->palette().color(QPalette::WindowText), colour);
        const QImage pixels = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto *first = reinterpret_cast<const QRgb *>(pixels.constBits());
        QVERIFY2(std::count(first, first + pixels.width() * pixels.height(), colour.rgb()) > 0,
                 "the caption is not painted in its colour");
    }

    void menuBarHoldsFileWithOpenAndExitThenAbout()
    {
        QVERIFY(form->menuBar()->isVisibleTo(form.get()));
        const QList<QAction *> bar = form->menuBar()->actions();
        QCOMPARE(bar.size(), 2);
        QVERIFY(bar[0]->menu() && !bar[1]->menu());
        const QList<QAction *> file = bar[0]->menu()->actions();
        QStringList captions;
        for (QAction *entry : bar + file) {
            QVERIFY(entry->isEnabled() && entry->isVisible() && !entry->isSeparator());
            captions << entry->text();
        }
        QCOMPARE(captions, QStringList({"File", "About", "Open", "Exit"}));
        QCOMPARE(file[0]->shortcut(), QKeySequence("Ctrl+O"));
    }

    void picturesComeFromTheResourcesUnscaled()
    {
        const QImage icon(QStringLiteral(":/pictures/AppIcon.png"));
        QCOMPARE(icon.size(), QSize(64, 64));
        QVERIFY(!icon.hasAlphaChannel());
        QCOMPARE(form->windowIcon().pixmap(QSize(64, 64)).toImage().convertToFormat(QImage::Format_RGB32),
                 icon.convertToFormat(QImage::Format_RGB32));
        const auto *save = control<QToolButton>("Command");
        QVERIFY(!save->icon().isNull() && save->toolButtonStyle() == Qt::ToolButtonTextUnderIcon);
        for (const auto &[path, size] : {std::pair{":/pictures/BackgroundPicture.jpg", QSize(1024, 768)},
                                         std::pair{":/pictures/SaveButtonPicture.jpg", QSize(80, 80)}}) {
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), path);
            const QByteArray bytes = file.readAll();
            QVERIFY2(bytes.startsWith("\xFF\xD8") && bytes.contains("\xFF\xC0") && !bytes.contains("\xFF\xC2"), path);
            QCOMPARE(QImage::fromData(bytes).size(), size);
        }

        QVERIFY(showActive());
        // Points that no control covers, from the corner to the far end of the client area.
        const QImage picture(QStringLiteral(":/pictures/BackgroundPicture.jpg"));
        const QImage drawn = form->centralWidget()->grab().toImage();
        for (const QPoint point : {QPoint(0, 0), QPoint(5, 400), QPoint(400, 300), QPoint(600, 450), QPoint(680, 620),
                                   form->centralWidget()->rect().bottomRight()})
            QCOMPARE(QColor(drawn.pixel(point)), QColor(picture.pixel(point)));
        const QPixmap shot = form->grab();
        QCOMPARE(shot.size(), form->size());
        QVERIFY(shot.save(QDir::current().filePath(QStringLiteral("form1-at-start.png"))));
    }

    void listsShowTheTablesInOrder()
    {
        const auto texts = [](const auto &table) {
            QStringList list;
            for (std::string_view entry : table)
                list << QString::fromLatin1(entry.data(), qsizetype(entry.size()));
            return list;
        };
        const QStringList species = texts(EditorLists::SpeciesList);
        const QStringList tables[] = {species, texts(EditorLists::MethodList), texts(EditorLists::LevelList),
                                      texts(EditorLists::ItemList), species, texts(EditorLists::MoveList), species};
        for (int i = 0; i < 7; ++i) {
            const QAbstractItemModel *model = i ? combo(TabChain[i])->model() : list1()->model();
            QStringList items;
            for (int row = 0; row < model->rowCount(); ++row)
                items << model->index(row, 0).data().toString();
            QVERIFY2(items == tables[i], qPrintable(TabChain[i]));
        }
        // Without trailing blanks in the tables the comparisons above could not notice trimming.
        QVERIFY(tables[3].at(6).endsWith(' ') && tables[5].at(33).endsWith(' '));
    }

    void aboutShowsOneBoxThenExitEndsTheLoopAndNothingChanges()
    {
        const TestImage image;
        for (bool withImage : {false, true}) {
            if (withImage) {
                open(image.localPath());
                selectSomething();
            }
            const QString before = snapshot();
            trace.events.clear();
            ModalBoxWatcher watcher;
            action("About1")->trigger();
            QCOMPARE(watcher.boxes.size(), 1);
            const ModalBoxWatcher::Box box = watcher.boxes.first();
            QCOMPARE(box.title, BoxTitle);
            QCOMPARE(box.text, QStringLiteral(" Quorvel Thornmere  (U) [Zenthavorik] "));
            QVERIFY(box.icon == QMessageBox::NoIcon && box.buttons == QMessageBox::Ok && box.modal);
            QCOMPARE(snapshot(), before);
            QVERIFY(trace.events.isEmpty());
        }
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &QCoreApplication::quit);
        guard.start(5000);
        QTimer::singleShot(0, action("Exit1"), &QAction::trigger);
        QCoreApplication::exec();
        QVERIFY2(guard.isActive(), "Exit left the event loop running");
        QVERIFY(trace.events.isEmpty());
        QCOMPARE(image.firstDifference(), -1);
    }

    void methodShowsItsParameterList_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("list");
        const QMap<int, QString> rule = {{4, "Combo2"},  {6, "Combo3"},  {7, "Combo3"}, {18, "Combo3"},
                                         {19, "Combo3"}, {20, "Combo5"}, {21, "Combo4"}};
        for (int method = -1; method < 27; ++method)
            QTest::addRow("method %d", method) << (method == 4 ? 21 : 4) << method << rule.value(method);
        for (const auto &[from, method] : {std::pair{6, 7}, {7, 6}, {18, 19}})
            QTest::addRow("method %d after %d", method, from) << from << method << rule.value(method);
    }
    void methodShowsItsParameterList()
    {
        QFETCH(int, from);
        QFETCH(int, method);
        QFETCH(QString, list);
        QVERIFY(showActive());
        const QList<int> chosen = {30, 7, 12, 40, 99};
        for (int i = 0; i < chosen.size(); ++i)
            combo(Combos[i + 1])->setCurrentIndex(chosen[i]);
        combo("Combo1")->setCurrentIndex(from);
        // A list hidden even for a moment passes the focus on and does not get it back.
        const bool stays = !list.isEmpty() && shown(list);
        if (stays)
            combo(list)->setFocus(Qt::OtherFocusReason);

        combo("Combo1")->setCurrentIndex(method);
        for (const QString &name : Combos.mid(1, 4))
            QVERIFY2(shown(name) == (name == list), qPrintable(name));
        QVERIFY(!stays || focus() == combo(list));
        QCOMPARE(selections().mid(2), chosen);
        QCOMPARE(editorOn(), QList<bool>(4, false));
    }

    void openChecksTheRegionByte_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("afterAccepted");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("box"); // the title of the one box expected, if any
        QTest::newRow("0x45 by File > Open") << "E" << false << true << "";
        QTest::newRow("0x45 by Ctrl+O") << "Ctrl+O" << false << true << "";
        QTest::newRow("the same image again") << "same" << true << true << "";
        QTest::newRow("non-ASCII path") << "Bild-äöü" << false << true << "";
        QTest::newRow("0x65 as first command") << "e" << false << false << "";
        QTest::newRow("0x65 after an accepted image") << "e" << true << false << "";
        QTest::newRow("cancel as first command") << "cancel" << false << false << "";
        QTest::newRow("cancel after an accepted image") << "cancel" << true << true << "";
        QTest::newRow("too long path") << "too long" << true << true << BoxTitle;
        QTest::newRow("folder") << "folder" << true << false << "Error: 75";
        QTest::newRow("no read permission") << "locked" << true << false << "Error: 70";
        QTest::newRow("shorter than 16 bytes") << "short" << true << false << "Error: 62";
    }
    void openChecksTheRegionByte()
    {
        QFETCH(QString, answer);
        QFETCH(bool, afterAccepted);
        QFETCH(bool, accepted);
        QFETCH(QString, box);
        const TestImage first;
        TestImage chosen(answer == "short" ? 15 : TestImage::StandardSize, answer + ".nds");
        if (answer == "e")
            chosen.setRegion('e');
        const std::string path = answer == "same"       ? first.localPath()
                                 : answer == "too long" ? "/" + std::string(299, 'q')
                                 : answer == "folder"   ? QFile::encodeName(chosen.folder()).toStdString()
                                                        : chosen.localPath();
        // Folders open to every user, so that only the file itself can stand in the way.
        for (const QString &folder : {first.folder(), chosen.folder()})
            QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7755)));
        if (answer == "locked")
            QVERIFY(QFile::setPermissions(chosen.path(), {}));
        QVERIFY(showActive());
        if (afterAccepted) {
            open(first.localPath());
            selectSomething();
        }
        const QString before = snapshot();
        const QList<int> selected = selections();
        trace.events.clear();
        ModalBoxWatcher watcher;
        answer == "cancel" ? dialogs->cancel() : dialogs->choose(path);
        {
            AsOtherUser nobody;
            QVERIFY(nobody.ok());
            answer == "Ctrl+O" ? QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier)
                               : action("Open1")->trigger();
        }
        QCOMPARE(dialogs->seen.size(), afterAccepted ? 2u : 1u);
        const FileDialogRequest &request = dialogs->seen.back().request;
        QVERIFY(request.kind == FileDialogRequest::Kind::Open && request.initialDir.empty());
        QCOMPARE(request.title, std::string("Open Quorvel NDS ROM..."));
        constexpr char filter[] = "NDS ROMs (*.nds)\0*.nds\0\0";
        QCOMPARE(dialogs->seen.back().rawFilter, std::string(filter, sizeof filter - 1));
        QCOMPARE(request.flags, 0x1804u);
        QCOMPARE(dialogs->seen.back().record.hwndOwner, std::uintptr_t(form->winId()));

        QCOMPARE(selections(), selected);
        QCOMPARE(watcher.boxes.size(), box.isEmpty() ? 0 : 1);
        QVERIFY(box.isEmpty() || (watcher.boxes[0].title == box && watcher.boxes[0].buttons == QMessageBox::Ok));
        QVERIFY(answer != "too long" || watcher.boxes[0].text.contains("too long"));
        QCOMPARE(editorOn(), QList<bool>(4, accepted));
        if (answer == "cancel" || answer == "too long") {
            QCOMPARE(snapshot(), before);
            QVERIFY(trace.events.isEmpty());
            return;
        }
        QCOMPARE(form->RomPath, path);
        QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("69"));
        QVERIFY(!shown("Text1") && control("Command")->isEnabled());
        QCOMPARE(trace.calls(), QStringList{"read 15 1"});
        QCOMPARE(trace.count("open"), trace.count("close"));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
