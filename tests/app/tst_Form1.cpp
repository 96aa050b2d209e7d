#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "AsOtherUser.h"
#include "EditorLists.h"
#include "Form1.h"
#include "ModalBoxWatcher.h"
#include "ScriptedCommonDialogs.h"
#include "TestImage.h"
#include "TraceRecorder.h"

#include <memory>

namespace {

const QStringList Labels = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label55", "Label44"};
const QStringList Combos = {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6"};
const QStringList ParameterLists = {"Combo2", "Combo3", "Combo4", "Combo5"};
const QStringList TabChain = {"List1", "Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6", "Command"};
const QStringList Controls = QStringList{"List1"} + Combos + QStringList{"Text1", "Command"} + Labels;

template <std::size_t N>
QStringList texts(const std::array<std::string_view, N> &table)
{
    QStringList list;
    for (std::string_view entry : table)
        list << QString::fromLatin1(entry.data(), qsizetype(entry.size()));
    return list;
}

QStringList table(const QString &name)
{
    if (name == "species") return texts(EditorLists::SpeciesList);
    if (name == "method") return texts(EditorLists::MethodList);
    if (name == "level") return texts(EditorLists::LevelList);
    if (name == "item") return texts(EditorLists::ItemList);
    return texts(EditorLists::MoveList);
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private:
    template <typename T = QWidget>
    T *control(const QString &name) const { return form->findChild<T *>(name); }
    QComboBox *combo(const QString &name) const { return control<QComboBox>(name); }
    QListWidget *list1() const { return control<QListWidget>("List1"); }
    QAction *action(const QString &name) const { return form->findChild<QAction *>(name); }

    int selectedSpecies() const
    {
        const QList<QListWidgetItem *> items = list1()->selectedItems();
        return items.isEmpty() ? -1 : list1()->row(items.first());
    }

    QList<int> selections() const
    {
        QList<int> indices{selectedSpecies()};
        for (const QString &name : Combos)
            indices << combo(name)->currentIndex();
        return indices;
    }

    QList<bool> editorEnabled() const
    {
        return {list1()->isEnabled(), combo("Combo1")->isEnabled(), combo("Combo6")->isEnabled()};
    }

    static std::unique_ptr<TestImage> imageOfRegion(char region)
    {
        auto image = std::make_unique<TestImage>();
        image->setRegion(region);
        return image;
    }

    // Everything the editor shows or keeps about the image, in one comparable line.
    QString snapshot() const
    {
        QStringList parts{"RomPath=" + QString::fromStdString(form->RomPath),
                          QStringLiteral("accepted=%1").arg(form->imageAccepted()),
                          QStringLiteral("List1 on=%1 row=%2").arg(list1()->isEnabled()).arg(selectedSpecies())};
        for (const QString &name : Combos)
            parts << QStringLiteral("%1 on=%2 shown=%3 index=%4")
                         .arg(name).arg(combo(name)->isEnabled()).arg(combo(name)->isVisibleTo(form.get()))
                         .arg(combo(name)->currentIndex());
        parts << "Text1=" + control<QLineEdit>("Text1")->text()
              << QStringLiteral("Command on=%1").arg(control("Command")->isEnabled());
        return parts.join("; ");
    }

    bool showActive()
    {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }

    void open(const std::string &path)
    {
        dialogs->choose(path);
        action("Open1")->trigger();
    }

    // A species chosen (which loads its entry), then a method, its parameter and a target set by code.
    void selectSomething()
    {
        list1()->setCurrentRow(10);
        combo("Combo1")->setCurrentIndex(4);
        combo("Combo2")->setCurrentIndex(30);
        combo("Combo3")->setCurrentIndex(7);
        combo("Combo6")->setCurrentIndex(99);
    }

    std::unique_ptr<ScriptedCommonDialogs> dialogs;
    std::unique_ptr<Form1> form;
    TraceRecorder trace;

private slots:
    void init()
    {
        dialogs = std::make_unique<ScriptedCommonDialogs>();
        form = std::make_unique<Form1>(*dialogs);
        trace.events.clear();
        form->byteAccess().setTrace(&trace);
        for (const QString &name : Controls)
            QVERIFY2(control(name), qPrintable(name));
        for (const char *name : {"Open1", "Exit1", "About1"})
            QVERIFY2(action(name), name);
    }

    void cleanup()
    {
        form.reset();
        dialogs.reset();
    }

    void startsWithNoImageAndNothingSelected()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Quorvel Thornmere (U)"));
        QVERIFY(form->RomPath.empty());
        QVERIFY(!form->imageAccepted());
        QCOMPARE(control<QLineEdit>("Text1")->text(), QString());
        QCOMPARE(selections(), QList<int>(7, -1));
    }

    void startsWithControlStates_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("enabled"); // -1: either
        QTest::addColumn<bool>("visible");
        for (const char *name : {"List1", "Combo1", "Combo6"})
            QTest::newRow(name) << QString(name) << 0 << true;
        for (const char *name : {"Combo2", "Combo3", "Combo4", "Combo5", "Text1"})
            QTest::newRow(name) << QString(name) << -1 << false;
        QTest::newRow("Command") << QStringLiteral("Command") << 1 << true;
        for (const QString &name : Labels)
            QTest::newRow(qPrintable(name)) << name << 1 << true;
    }
    void startsWithControlStates()
    {
        QFETCH(QString, name);
        QFETCH(int, enabled);
        QFETCH(bool, visible);
        if (enabled >= 0)
            QCOMPARE(control(name)->isEnabled(), bool(enabled));
        QCOMPARE(control(name)->isVisibleTo(form.get()), visible);
    }

    void saveButtonAloneTakesFocusAtStart()
    {
        QStringList focusable;
        for (QWidget *widget : form->findChildren<QWidget *>()) {
            if (widget->window() == form.get() && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled()
                && widget->isVisibleTo(form.get()))
                focusable << widget->objectName();
        }
        QCOMPARE(focusable, QStringList{"Command"});

        QVERIFY(showActive());
        QCOMPARE(QApplication::focusWidget(), control("Command"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control("Command"));
    }

    void tabVisitsListsThenSaveButton()
    {
        for (const QString &name : TabChain) {
            control(name)->setEnabled(true);
            control(name)->setVisible(true);
        }
        QVERIFY(showActive());
        control("List1")->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), control("List1"));
        for (const QString &name : TabChain.mid(1) + QStringList{"List1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(QApplication::focusWidget() == control(name), qPrintable("expected focus on " + name));
        }
    }

    void captionsAreExact_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const QList<std::pair<const char *, const char *>> captions = {
            {"Label44", "Zenthavorik"}, {"Label55", "Game Code = YRWE"}, {"Label6", "Evolution To !"},
            {"Label5", "Attack  !"},    {"Label4", "Qourvel !"},         {"Label3", "Evol Type !"},
            {"Label1", "Level !"},      {"Label2", "Item Used !"},       {"Command", "Save"}};
        for (const auto &[name, caption] : captions)
            QTest::newRow(name) << QString(name) << QString(caption);
    }
    void captionsAreExact()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QCOMPARE(control(name)->property("text").toString(), caption);
    }

    void menuBarHoldsFileAndAbout()
    {
        QVERIFY(form->menuBar()->isVisibleTo(form.get()));
        const QList<QAction *> entries = form->menuBar()->actions();
        QCOMPARE(entries.size(), 2);
        QMenu *file = entries[0]->menu();
        QVERIFY(file);
        QCOMPARE(entries[0]->text(), QStringLiteral("File"));
        QCOMPARE(entries[1]->text(), QStringLiteral("About"));
        QVERIFY(!entries[1]->menu());
        for (QAction *entry : entries)
            QVERIFY(entry->isEnabled() && entry->isVisible());

        const QList<QAction *> commands = file->actions();
        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands[0]->text(), QStringLiteral("Open"));
        QCOMPARE(commands[1]->text(), QStringLiteral("Exit"));
        QCOMPARE(commands[0]->shortcut(), QKeySequence("Ctrl+O"));
        for (QAction *command : commands)
            QVERIFY(!command->isSeparator() && command->isEnabled() && command->isVisible());
    }

    void fontsFollowTheDesign_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("emphasised"); // bold and italic
        for (const QString &name : Labels.mid(0, 6))
            QTest::newRow(qPrintable(name)) << name << "Times New Roman" << 15.75 << true;
        QTest::newRow("Label55") << "Label55" << "Tahoma" << 18.0 << true;
        QTest::newRow("Label44") << "Label44" << "Monotype Corsiva" << 20.25 << true;
        for (const QString &name : Combos)
            QTest::newRow(qPrintable(name)) << name << "Tahoma" << 8.25 << false;
        QTest::newRow("List1") << "List1" << "Times New Roman" << 14.25 << true;
        QTest::newRow("Command") << "Command" << "Times New Roman" << 14.25 << true;
    }
    void fontsFollowTheDesign()
    {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(qreal, points);
        QFETCH(bool, emphasised);
        QWidget *widget = control(name);
        widget->ensurePolished();
        const QFont font = widget->font();
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.bold(), emphasised);
        QCOMPARE(font.italic(), emphasised);
        QCOMPARE(font.family(), family);
    }

    void labelColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("colour");
        for (const QString &name : Labels.mid(0, 6))
            QTest::newRow(qPrintable(name)) << name << QColor(192, 255, 255);
        QTest::newRow("Label55") << "Label55" << QColor(255, 128, 255);
        QTest::newRow("Label44") << "Label44" << QColor(255, 255, 0);
    }
    void labelColours()
    {
        QFETCH(QString, name);
        QFETCH(QColor, colour);
        QVERIFY(showActive());
        QWidget *label = control(name);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        const QImage pixels = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto *first = reinterpret_cast<const QRgb *>(pixels.constBits());
        const auto *last = first + pixels.width() * pixels.height();
        QVERIFY2(std::find(first, last, colour.rgb()) != last, "the caption is not painted in its colour");
    }

    void controlsSitWhereDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("position");
        const QList<std::pair<const char *, QPoint>> positions = {
            {"Text1", {332, 324}},  {"Command", {735, 540}}, {"Combo6", {154, 276}}, {"Combo5", {154, 223}},
            {"Combo4", {153, 170}}, {"Combo3", {154, 118}},  {"Combo2", {155, 65}},  {"Combo1", {154, 11}},
            {"List1", {696, 4}},    {"Label44", {395, 94}},  {"Label55", {386, 28}}, {"Label6", {11, 275}},
            {"Label5", {11, 224}},  {"Label4", {11, 173}},   {"Label3", {11, 11}},   {"Label1", {11, 70}},
            {"Label2", {11, 121}}};
        for (const auto &[name, position] : positions)
            QTest::newRow(name) << QString(name) << position;
    }
    void controlsSitWhereDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, position);
        QVERIFY(showActive());
        QCOMPARE(control(name)->parentWidget(), form->centralWidget());
        QCOMPARE(control(name)->pos(), position);
    }

    void labelsAreSizedToTheirCaptions()
    {
        QVERIFY(showActive());
        for (const QString &name : Labels)
            QVERIFY2(control(name)->width() == control(name)->sizeHint().width(), qPrintable(name));
    }

    void controlsNeitherOverlapNorLeaveTheClientArea()
    {
        QVERIFY(showActive());
        const QRect client = form->centralWidget()->rect();
        for (int i = 0; i < Controls.size(); ++i) {
            const QRect area = control(Controls[i])->geometry();
            QVERIFY2(client.contains(area), qPrintable(Controls[i] + " reaches beyond the client area"));
            for (int j = i + 1; j < Controls.size(); ++j)
                QVERIFY2(!area.intersects(control(Controls[j])->geometry()),
                         qPrintable(Controls[i] + " overlaps " + Controls[j]));
        }
    }

    void backgroundIsThePictureUnscaled()
    {
        const QImage picture(QStringLiteral(":/pictures/BackgroundPicture.jpg"));
        QCOMPARE(picture.size(), QSize(1024, 768));
        QVERIFY(showActive());
        const QImage shown = form->centralWidget()->grab().toImage();
        const QRect client = form->centralWidget()->rect();
        for (const QPoint point : {QPoint(0, 0), QPoint(5, 400), QPoint(400, 300), QPoint(600, 450),
                                   QPoint(680, 620), QPoint(client.right(), client.bottom())}) {
            for (const QString &name : Controls)
                QVERIFY(!control(name)->isVisible() || !control(name)->geometry().contains(point));
            QVERIFY2(shown.pixel(point) == picture.pixel(point),
                     qPrintable(QStringLiteral("pixel %1,%2").arg(point.x()).arg(point.y())));
        }
    }

    void iconsComeFromTheResources()
    {
        auto *button = control<QToolButton>("Command");
        QVERIFY(button);
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

        const QImage icon(QStringLiteral(":/pictures/AppIcon.png"));
        QCOMPARE(icon.size(), QSize(64, 64));
        QVERIFY(!icon.hasAlphaChannel());
        QVERIFY(form->windowIcon().availableSizes().contains(QSize(64, 64)));
        QCOMPARE(form->windowIcon().pixmap(QSize(64, 64)).toImage().convertToFormat(QImage::Format_RGB32),
                 icon.convertToFormat(QImage::Format_RGB32));
    }

    void picturesAreBaselineJpegs_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("background") << ":/pictures/BackgroundPicture.jpg" << QSize(1024, 768);
        QTest::newRow("save button") << ":/pictures/SaveButtonPicture.jpg" << QSize(80, 80);
    }
    void picturesAreBaselineJpegs()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xFF\xD8"));
        QVERIFY(bytes.contains("\xFF\xC0"));
        QVERIFY(!bytes.contains("\xFF\xC2"));
        QCOMPARE(QImage::fromData(bytes).size(), size);
    }

    void screenshotAtStartIsSaved()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QPixmap shot = form->grab();
        QCOMPARE(shot.size(), form->size());
        QVERIFY(shot.save(QDir::current().filePath(QStringLiteral("form1-at-start.png"))));
    }

    void listsShowTheTablesInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("count");
        const QStringList names = QStringList{"List1"} + Combos;
        const QStringList sources = {"species", "method", "level", "item", "species", "move", "species"};
        const QList<int> counts = {494, 27, 101, 464, 494, 468, 494};
        for (int i = 0; i < 7; ++i)
            QTest::newRow(qPrintable(names[i])) << names[i] << sources[i] << counts[i];
    }
    void listsShowTheTablesInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(int, count);
        QStringList shown;
        if (name == "List1") {
            QVERIFY(!list1()->isSortingEnabled());
            for (int row = 0; row < list1()->count(); ++row)
                shown << list1()->item(row)->text();
        } else {
            for (int index = 0; index < combo(name)->count(); ++index)
                shown << combo(name)->itemText(index);
        }
        QCOMPARE(shown.size(), count);
        QCOMPARE(shown, table(source));
    }

    void trailingBlanksAreKept()
    {
        QVERIFY(table("item").at(6).endsWith(' '));
        QCOMPARE(combo("Combo3")->itemText(6), table("item").at(6));
        QVERIFY(table("move").at(33).endsWith(' '));
        QCOMPARE(combo("Combo5")->itemText(33), table("move").at(33));
    }

    void aboutShowsOneBoxAndChangesNothing_data()
    {
        QTest::addColumn<bool>("withImage");
        QTest::newRow("no image") << false;
        QTest::newRow("image open") << true;
    }
    void aboutShowsOneBoxAndChangesNothing()
    {
        QFETCH(bool, withImage);
        const auto image = imageOfRegion('E');
        if (withImage) {
            open(image->localPath());
            selectSomething();
        }
        const QString before = snapshot();
        trace.events.clear();
        ModalBoxWatcher watcher;
        action("About1")->trigger();
        QCOMPARE(watcher.boxes.size(), 1);
        const ModalBoxWatcher::Box box = watcher.boxes.first();
        QCOMPARE(box.title, QStringLiteral("quorvel Thornmere (U) "));
        QCOMPARE(box.text, QStringLiteral(" Quorvel Thornmere  (U) [Zenthavorik] "));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(box.modal);
        QCOMPARE(snapshot(), before);
        QVERIFY(trace.events.isEmpty());
    }

    void exitEndsTheEventLoopWithoutTouchingTheImage()
    {
        const auto image = imageOfRegion('E');
        open(image->localPath());
        trace.events.clear();
        bool stuck = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [&stuck] {
            stuck = true;
            QCoreApplication::quit();
        });
        guard.start(5000);
        QTimer::singleShot(0, action("Exit1"), &QAction::trigger);
        QCoreApplication::exec();
        QVERIFY2(!stuck, "Exit left the event loop running");
        QVERIFY(trace.events.isEmpty());
        QCOMPARE(image->firstDifference(), -1);
    }

    void methodShowsItsParameterList_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("shown");
        const QMap<int, QString> rule = {{4, "Combo2"},  {6, "Combo3"},  {7, "Combo3"}, {18, "Combo3"},
                                         {19, "Combo3"}, {20, "Combo5"}, {21, "Combo4"}};
        for (int method = -1; method < 27; ++method)
            QTest::addRow("method %d", method) << method << rule.value(method);
    }
    void methodShowsItsParameterList()
    {
        QFETCH(int, method);
        QFETCH(QString, shown);
        const QList<int> chosen = {30, 7, 12, 40, 99};
        for (int i = 0; i < 5; ++i)
            combo(Combos[i + 1])->setCurrentIndex(chosen[i]);
        combo("Combo1")->setCurrentIndex(method == 4 ? 21 : 4);
        QList<bool> enabled;
        for (const QString &name : Combos)
            enabled << combo(name)->isEnabled();

        combo("Combo1")->setCurrentIndex(method);
        for (const QString &name : ParameterLists)
            QVERIFY2(combo(name)->isVisibleTo(form.get()) == (name == shown), qPrintable(name));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(combo(Combos[i + 1])->currentIndex(), chosen[i]);
        for (int i = 0; i < Combos.size(); ++i)
            QCOMPARE(combo(Combos[i])->isEnabled(), enabled[i]);
    }

    void hiddenParameterListKeepsItsSelection()
    {
        combo("Combo1")->setCurrentIndex(4);
        combo("Combo2")->setCurrentIndex(30);
        combo("Combo1")->setCurrentIndex(21);
        QVERIFY(!combo("Combo2")->isVisibleTo(form.get()));
        combo("Combo1")->setCurrentIndex(4);
        QVERIFY(combo("Combo2")->isVisibleTo(form.get()));
        QCOMPARE(combo("Combo2")->currentIndex(), 30);
    }

    void methodsSharingAListKeepItShown()
    {
        QVERIFY(showActive());
        combo("Combo1")->setCurrentIndex(6);
        combo("Combo3")->setCurrentIndex(55);
        int hides = 0;
        struct HideCounter : QObject
        {
            int &count;
            explicit HideCounter(int &c) : count(c) {}
            bool eventFilter(QObject *, QEvent *event) override
            {
                count += event->type() == QEvent::Hide;
                return false;
            }
        } counter(hides);
        combo("Combo3")->installEventFilter(&counter);
        combo("Combo1")->setCurrentIndex(7);
        combo("Combo3")->removeEventFilter(&counter);
        QVERIFY(combo("Combo3")->isVisible());
        QCOMPARE(hides, 0);
        QCOMPARE(combo("Combo3")->currentIndex(), 55);
    }

    void userChoiceOfMethodShowsItsList()
    {
        const auto image = imageOfRegion('E');
        open(image->localPath());
        QVERIFY(showActive());
        combo("Combo1")->setCurrentIndex(3);
        combo("Combo1")->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(combo("Combo1"), Qt::Key_Down);
        QCOMPARE(combo("Combo1")->currentIndex(), 4);
        QVERIFY(combo("Combo2")->isVisible());
        QTest::keyClick(combo("Combo1"), Qt::Key_Down);
        QCOMPARE(combo("Combo1")->currentIndex(), 5);
        QVERIFY(!combo("Combo2")->isVisible());
    }

    void openAcceptsAnImageOfTheRegion_data()
    {
        QTest::addColumn<bool>("shortcut");
        QTest::newRow("File > Open") << false;
        QTest::newRow("Ctrl+O") << true;
    }
    void openAcceptsAnImageOfTheRegion()
    {
        QFETCH(bool, shortcut);
        const auto image = imageOfRegion('E');
        QVERIFY(showActive());
        // The second time with a species and its entry shown: opening the same image again reloads nothing.
        for (std::size_t time = 1; time <= 2; ++time) {
            if (time == 2)
                selectSomething();
            const QList<int> chosen = selections();
            trace.events.clear();
            dialogs->choose(image->localPath());
            if (shortcut)
                QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
            else
                action("Open1")->trigger();
            QCOMPARE(dialogs->seen.size(), time);
            const ScriptedCommonDialogs::Seen &seen = dialogs->seen.back();
            QVERIFY(seen.request.kind == FileDialogRequest::Kind::Open);
            QCOMPARE(seen.request.title, std::string("Open Quorvel NDS ROM..."));
            constexpr char filter[] = "NDS ROMs (*.nds)\0*.nds\0\0";
            QCOMPARE(seen.rawFilter, std::string(filter, sizeof filter - 1));
            QCOMPARE(seen.request.flags, 0x1804u);
            QVERIFY(seen.request.initialDir.empty());
            QCOMPARE(seen.record.hwndOwner, std::uintptr_t(form->winId()));

            QCOMPARE(editorEnabled(), QList<bool>({true, true, true}));
            QVERIFY(form->imageAccepted());
            QCOMPARE(form->RomPath, image->localPath());
            QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("69"));
            QVERIFY(!control("Text1")->isVisibleTo(form.get()));
            QCOMPARE(trace.calls(), QStringList{"read 15 1"});
            QCOMPARE(trace.count("open"), trace.count("close"));
            QCOMPARE(selections(), chosen);
        }
    }

    void rejectedRegionDisablesTheEditorAndKeepsSelections_data()
    {
        QTest::addColumn<bool>("afterAccepted");
        QTest::newRow("first command") << false;
        QTest::newRow("after an accepted image") << true;
    }
    void rejectedRegionDisablesTheEditorAndKeepsSelections()
    {
        QFETCH(bool, afterAccepted);
        const auto accepted = imageOfRegion('E');
        const auto rejected = imageOfRegion('e');
        if (afterAccepted) {
            open(accepted->localPath());
            selectSomething();
        }
        const QList<int> chosen = selections();
        open(rejected->localPath());
        QCOMPARE(editorEnabled(), QList<bool>({false, false, false}));
        QVERIFY(!form->imageAccepted());
        QCOMPARE(form->RomPath, rejected->localPath());
        QVERIFY(control("Command")->isEnabled());
        QCOMPARE(selections(), chosen);
    }

    void cancelChangesNothing_data() { rejectedRegionDisablesTheEditorAndKeepsSelections_data(); }
    void cancelChangesNothing()
    {
        QFETCH(bool, afterAccepted);
        const auto image = imageOfRegion('E');
        if (afterAccepted) {
            open(image->localPath());
            selectSomething();
        }
        const QString before = snapshot();
        const std::size_t asked = dialogs->seen.size();
        trace.events.clear();
        ModalBoxWatcher watcher;
        dialogs->cancel();
        action("Open1")->trigger();
        QCOMPARE(dialogs->seen.size(), asked + 1);
        QCOMPARE(snapshot(), before);
        QVERIFY(watcher.boxes.isEmpty());
        QVERIFY(trace.events.isEmpty());
    }

    void tooLongPathIsRefusedWithABox()
    {
        const auto image = imageOfRegion('E');
        open(image->localPath());
        const QString before = snapshot();
        trace.events.clear();
        ModalBoxWatcher watcher;
        open("/" + std::string(299, 'q'));
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].title, QStringLiteral("quorvel Thornmere (U) "));
        QCOMPARE(watcher.boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(watcher.boxes[0].text.contains("too long"), qPrintable(watcher.boxes[0].text));
        QCOMPARE(snapshot(), before);
        QVERIFY(trace.events.isEmpty());
    }

    void unreadableImageCountsAsRejected_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("folder") << "folder" << "Error: 75";
        QTest::newRow("no read permission") << "locked" << "Error: 70";
        QTest::newRow("shorter than 16 bytes") << "short" << "Error: 62";
    }
    void unreadableImageCountsAsRejected()
    {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        const auto accepted = imageOfRegion('E');
        open(accepted->localPath());
        QVERIFY(form->imageAccepted());

        TestImage failing(kind == "short" ? 15 : TestImage::StandardSize);
        std::string path = failing.localPath();
        if (kind == "folder")
            path = QFile::encodeName(failing.folder()).toStdString();
        // The folder open to every user, so that only the file itself can stand in the way.
        QVERIFY(QFile::setPermissions(failing.folder(), QFileDevice::Permissions(0x7755))); // rwxr-xr-x
        if (kind == "locked")
            QVERIFY(QFile::setPermissions(failing.path(), {}));

        ModalBoxWatcher watcher;
        {
            AsOtherUser nobody;
            QVERIFY(nobody.ok());
            open(path);
        }
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].title, title);
        QCOMPARE(editorEnabled(), QList<bool>({false, false, false}));
        QVERIFY(!form->imageAccepted());
    }

    void nonAsciiPathIsAccepted()
    {
        TestImage image(TestImage::StandardSize, QStringLiteral("Bild-äöü.nds"));
        image.setRegion('E');
        const std::string path = QFile::encodeName(image.path()).toStdString();
        open(path);
        QVERIFY(form->imageAccepted());
        QCOMPARE(form->RomPath, path);
        QVERIFY(control("List1")->isEnabled());
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
