#include "Form1.h"
#include "ui_Form1.h"

#include "CommonDialogs.h"
#include "EditorLists.h"
#include "MessageBox.h"
#include "clsCommonDialog.h"

#include <QLabel>

#include <array>
#include <charconv>
#include <optional>

const QString Form1::ApplicationTitle = QStringLiteral("quorvel Thornmere (U) ");

namespace {

template <std::size_t N>
QStringList entries(const std::array<std::string_view, N> &table)
{
    QStringList list;
    list.reserve(static_cast<int>(N));
    for (std::string_view entry : table)
        list << QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size()));
    return list;
}

// Faces the window names that a Linux desktop rarely has, and free ones close to them.
void substituteMissingFonts()
{
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Palatino Linotype"), QStringLiteral("P052"));
    QFont::insertSubstitution(QStringLiteral("Monotype Corsiva"), QStringLiteral("Z003"));
}

// The parameter list that each method shows; any other method shows none.
struct MethodParameterList
{
    int method;
    EditorList shown;
};
constexpr std::array<MethodParameterList, 7> ParameterListRule = {{
    {4, EditorList::Combo2},
    {6, EditorList::Combo3},
    {7, EditorList::Combo3},
    {18, EditorList::Combo3},
    {19, EditorList::Combo3},
    {20, EditorList::Combo5},
    {21, EditorList::Combo4},
}};

// The field of the evolution entry that each of Combo1 to Combo6 shows.
const std::array<QString, 6> FieldNames = {
    QStringLiteral("Method"),
    QStringLiteral("Parameter (level)"),
    QStringLiteral("Parameter (item)"),
    QStringLiteral("Parameter (species)"),
    QStringLiteral("Parameter (move)"),
    QStringLiteral("Target"),
};

std::size_t comboNumber(EditorList list)
{
    return static_cast<std::size_t>(list) - static_cast<std::size_t>(EditorList::Combo1);
}

} // namespace

Form1::Form1(CommonDialogs &dialogs, QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::Form1>())
    , m_dialogs(dialogs)
    , m_hex(*this)
    , m_loader(*this)
    , m_saver(*this)
{
    // The pictures live in this static library; its resources must be registered by hand.
    Q_INIT_RESOURCE(Form1);
    substituteMissingFonts();
    ui->setupUi(this);
    m_combos = {ui->Combo1, ui->Combo2, ui->Combo3, ui->Combo4, ui->Combo5, ui->Combo6};
    fillLists();

    // Each label is as large as its caption on one line.
    for (QLabel *label : ui->centralwidget->findChildren<QLabel *>())
        label->adjustSize();

    // The controls reach beyond the design client area; start with room for all of them.
    const QRect controls = ui->List1->geometry().united(ui->Command->geometry());
    resize(controls.right() + 16, controls.bottom() + 16 + menuBar()->sizeHint().height());

    connect(ui->Open1, &QAction::triggered, this, &Form1::Open1_Click);
    connect(ui->Exit1, &QAction::triggered, this, &Form1::Exit1_Click);
    connect(ui->About1, &QAction::triggered, this, &Form1::About1_Click);
    connect(ui->List1, &QListWidget::itemSelectionChanged, this, &Form1::List1_Click);
    connect(ui->Combo1, &QComboBox::currentIndexChanged, this, &Form1::Combo1_Click);
    connect(ui->Command, &QToolButton::clicked, this, &Form1::Command_Click);
}

Form1::~Form1() = default;

void Form1::fillLists()
{
    ui->List1->addItems(entries(EditorLists::SpeciesList));
    ui->Combo1->addItems(entries(EditorLists::MethodList));
    ui->Combo2->addItems(entries(EditorLists::LevelList));
    ui->Combo3->addItems(entries(EditorLists::ItemList));
    ui->Combo4->addItems(entries(EditorLists::SpeciesList));
    ui->Combo5->addItems(entries(EditorLists::MoveList));
    ui->Combo6->addItems(entries(EditorLists::SpeciesList));
    // A combo box selects its first entry when filled; the editor starts with nothing selected.
    for (QComboBox *box : m_combos)
        box->setCurrentIndex(-1);
}

QComboBox *Form1::combo(EditorList list) const
{
    return list == EditorList::List1 ? nullptr : m_combos[comboNumber(list)];
}

std::int16_t Form1::ListIndex(EditorList list) const
{
    if (list == EditorList::List1) {
        const int row = ui->List1->currentRow();
        const bool selected = row >= 0 && ui->List1->selectionModel()->isRowSelected(row, QModelIndex());
        return static_cast<std::int16_t>(selected ? row : -1);
    }
    return static_cast<std::int16_t>(combo(list)->currentIndex());
}

void Form1::SetListIndex(EditorList list, std::int16_t index)
{
    if (QComboBox *box = combo(list))
        box->setCurrentIndex(index);
}

int Form1::ListCount(EditorList list) const
{
    return list == EditorList::List1 ? ui->List1->count() : combo(list)->count();
}

bool Form1::Visible(EditorList list) const
{
    // The control's own flag, whether or not the window itself is on screen.
    return list == EditorList::List1 ? ui->List1->isVisibleTo(this) : combo(list)->isVisibleTo(this);
}

void Form1::ShowErrorBox(const std::string &text, const std::string &title)
{
    MessageBox::show(this, QString::fromLocal8Bit(text), QString::fromLocal8Bit(title));
}

void Form1::Open1_Click()
{
    clsCommonDialog dialog(m_dialogs);
    const std::int32_t flags = clsCommonDialog::DefaultOpenFlags;
    const std::string chosen = dialog.ShowOpen(static_cast<std::uintptr_t>(winId()), "Open Quorvel NDS ROM...",
                                               {}, "NDS ROMs (*.nds)|*.nds", flags);
    // A cancelled dialog leaves the editor on the image it had.
    if (chosen.empty()) {
        if (m_dialogs.CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            MessageBox::show(this,
                             QStringLiteral("The chosen path is too long. A path can have at most 254 characters."),
                             ApplicationTitle);
        return;
    }
    RomPath = chosen;

    ui->Text1->setText(QStringLiteral("69"));
    std::int32_t offset = 15;
    const std::int32_t count = 1;
    std::string text = m_hex.ReadHex(RomPath, offset, count);
    const std::string numeral = HexFunctions::SwapBytes(text);
    const int expected = ui->Text1->text().toInt();
    int region = -1;
    if (!numeral.empty())
        std::from_chars(numeral.data(), numeral.data() + numeral.size(), region, 16);

    // An unreadable region byte counts as a rejected image.
    m_imageAccepted = region == expected;
    ui->List1->setEnabled(m_imageAccepted);
    ui->Combo1->setEnabled(m_imageAccepted);
    ui->Combo6->setEnabled(m_imageAccepted);
}

void Form1::Exit1_Click()
{
    QCoreApplication::quit();
}

void Form1::About1_Click()
{
    MessageBox::show(this, QStringLiteral(" Quorvel Thornmere  (U) [Zenthavorik] "), ApplicationTitle);
}

void Form1::List1_Click()
{
    reportUnshown(m_loader.List1_Click());
}

void Form1::reportUnshown(const std::vector<UnshownValue> &values)
{
    if (values.empty())
        return;
    QString text = QStringLiteral("This evolution entry holds values that its lists cannot show:\n");
    for (const UnshownValue &value : values) {
        const QString hex = QString::number(value.stored, 16).rightJustified(value.byteCount * 2, QLatin1Char('0')).toUpper();
        text += QStringLiteral("\n%1: stored value %2 (0x%3)").arg(FieldNames[comboNumber(value.list)]).arg(value.stored).arg(hex);
    }
    text += QStringLiteral("\n\nThese lists now show nothing selected; Save would write them as nothing selected.");
    MessageBox::show(this, text, ApplicationTitle);
}

void Form1::Combo1_Click()
{
    // Each method is tested against the index as it stands now, in the rule's order.
    std::optional<EditorList> shown;
    for (const MethodParameterList &row : ParameterListRule) {
        if (ui->Combo1->currentIndex() == row.method) {
            shown = row.shown;
            break;
        }
    }
    for (EditorList list : ParameterLists)
        combo(list)->setVisible(list == shown);
}

void Form1::Command_Click()
{
    if (!m_imageAccepted)
        return;
    m_saver.Command_Click();
}
