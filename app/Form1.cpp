#include "Form1.h"
#include "ui_Form1.h"

#include "CommonDialogs.h"
#include "EditorLists.h"
#include "EvolutionTable.h"
#include "MessageBox.h"
#include "clsCommonDialog.h"

#include <QLabel>

#include <array>
#include <optional>

const QString Form1::ApplicationTitle = QStringLiteral("quorvel Thornmere (U) ");

namespace {

// Every entry carries the item data 0: the entry's position, not its data, is its code.
template <std::size_t N>
void fill(auto *list, const std::array<std::string_view, N> &table)
{
    for (std::string_view entry : table)
        list->addItem(QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())));
    for (int row = 0; row < list->count(); ++row)
        list->model()->setData(list->model()->index(row, 0), 0, Qt::UserRole);
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

void Form1::substituteMissingFonts()
{
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Palatino Linotype"), QStringLiteral("P052"));
    QFont::insertSubstitution(QStringLiteral("Monotype Corsiva"), QStringLiteral("Z003"));
}

void Form1::fillLists()
{
    fill(ui->List1, EditorLists::SpeciesList);
    fill(ui->Combo1, EditorLists::MethodList);
    fill(ui->Combo2, EditorLists::LevelList);
    fill(ui->Combo3, EditorLists::ItemList);
    fill(ui->Combo4, EditorLists::SpeciesList);
    fill(ui->Combo5, EditorLists::MoveList);
    fill(ui->Combo6, EditorLists::SpeciesList);
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
        // The selected row, which is nearly always the current one; a drag can move the current
        // row apart from the selection. A load or a save asks once per species, so the usual
        // case builds nothing.
        const QItemSelectionModel *selection = ui->List1->selectionModel();
        const QModelIndex current = selection->currentIndex();
        if (selection->isSelected(current))
            return static_cast<std::int16_t>(current.row());
        const QModelIndexList rows = selection->selectedRows();
        return static_cast<std::int16_t>(rows.isEmpty() ? -1 : rows.constFirst().row());
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
                             QStringLiteral("The chosen path is too long. A path can have at most 254 bytes in the "
                                            "system's encoding, where an accented or other non-ASCII letter takes "
                                            "two bytes or more."),
                             ApplicationTitle);
        return;
    }
    RomPath = chosen;

    ui->Text1->setText(QStringLiteral("69"));
    // Held before the region byte is read, and the read refuses any other file, so that the file
    // accepted is the one whose byte was checked. A file that cannot be held is not read at all.
    const std::optional<FileIdentity> earlier = m_hex.heldFile();
    std::optional<std::uint32_t> region;
    if (m_hex.holdFile(RomPath))
        region = m_hex.ReadField(RomPath, 15, 1);
    const int expected = ui->Text1->text().toInt();

    // An unreadable region byte counts as a rejected image.
    if (!region || static_cast<int>(*region) != expected)
        m_hex.releaseFile();
    ui->List1->setEnabled(imageAccepted());
    ui->Combo1->setEnabled(imageAccepted());
    ui->Combo6->setEnabled(imageAccepted());

    // What the lists show must come from this image. When it is the file held before and they
    // show the selected species' entry, they already do, and the picks not yet saved stay.
    if (imageAccepted() && (m_hex.heldFile() != earlier || !m_entryLoaded))
        List1_Click();
}

void Form1::Exit1_Click()
{
    QCoreApplication::quit();
}

void Form1::About1_Click()
{
    MessageBox::show(this, QStringLiteral(" Quorvel Thornmere  (U) [Zenthavorik] "), ApplicationTitle);
}

bool Form1::speciesOfAcceptedImage()
{
    const int species = ListIndex(EditorList::List1);
    const auto accepted = m_hex.heldFile();
    if (!accepted || species < 1 || species > EvolutionTable::SpeciesCount)
        return false;
    if (FileIdentity::of(RomPath) == accepted)
        return true;
    MessageBox::show(this,
                     QStringLiteral("The image has changed on disk: its path no longer names the file that was "
                                    "opened. Nothing was read or written.\n\nOpen the image again with File, Open."),
                     ApplicationTitle);
    return false;
}

void Form1::List1_Click()
{
    if (speciesOfAcceptedImage()) {
        const std::vector<UnshownValue> unshown = m_loader.List1_Click();
        m_entryLoaded = !m_loader.stopped();
        reportUnshown(unshown);
        return;
    }
    // No entry of the selected species could be read; show none rather than another one's.
    if (ListIndex(EditorList::List1) > 0) {
        for (QComboBox *box : m_combos)
            box->setCurrentIndex(-1);
        m_entryLoaded = false;
    }
}

void Form1::reportUnshown(const std::vector<UnshownValue> &values)
{
    if (values.empty())
        return;
    const bool one = values.size() == 1;
    QString text = one ? QStringLiteral("This evolution entry holds a value that its list cannot show:\n")
                       : QStringLiteral("This evolution entry holds values that their lists cannot show:\n");
    for (const UnshownValue &value : values) {
        const QString hex = QString::number(value.stored, 16).rightJustified(value.width * 2, QLatin1Char('0')).toUpper();
        text += QStringLiteral("\n%1: stored value %2 (0x%3)").arg(FieldNames[comboNumber(value.list)]).arg(value.stored).arg(hex);
    }
    text += one ? QStringLiteral("\n\nThat list shows nothing selected. Save keeps the stored value unless you pick another.")
                : QStringLiteral("\n\nThose lists show nothing selected. Save keeps the stored values unless you pick others.");
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
    if (speciesOfAcceptedImage())
        m_saver.Command_Click();
}
