#include "OptionsDialog.h"

#include "AppSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <string>

namespace {

constexpr int TwipsPerPixel = 15;
constexpr int ClientWidthTwips = 7740;
constexpr int ClientHeightTwips = 4695;

// Places controls by their design position in twips. Captions are measured in the font
// this machine has, not the one the layout was drawn with: when a caption needs more
// room than its design width, every horizontal measure grows by the same factor so
// the layout keeps its proportions.
class TwipsLayout final {
public:
    int x(int twips) const { return static_cast<int>(twips * m_widthScale / TwipsPerPixel + 0.5); }
    static int y(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

    void makeRoomFor(const QWidget &control, int designWidthTwips)
    {
        const double needed = static_cast<double>(control.sizeHint().width()) * TwipsPerPixel / designWidthTwips;
        m_widthScale = std::max(m_widthScale, needed);
    }

    void place(QWidget &control, int left, int top, int width, int height) const
    {
        control.setGeometry(x(left), y(top), x(width), y(height));
    }

private:
    double m_widthScale = 1.0;
};

struct Placement {
    QWidget *control;
    int left, top, width, height;
};

} // namespace

OptionsDialog::OptionsDialog(RegistryStore &store, IniDocument &doc, QWidget *parent)
    : QDialog(parent), m_store(store), m_doc(doc)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    // Customize: without it X11 window managers add minimise and maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint
                   | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    buildControls();
    Form_Load();
}

void OptionsDialog::buildControls()
{
    auto *frame1 = new QGroupBox(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    m_chkAutoLoad = new QCheckBox(
        QStringLiteral("Automatically Load the last edited ini file (Default = checked)"), frame1);
    m_chkAutoLoad->setObjectName(QStringLiteral("chkAutoLoad"));

    auto *frame2 = new QGroupBox(this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    m_optSaveType[0] = new QRadioButton(
        QStringLiteral("Save settings in the order they were read-in (Default) - Faster"), frame2);
    m_optSaveType[1] = new QRadioButton(
        QStringLiteral("Save settings in the order they are currently displayed (Use this to sort and save) - Slower"),
        frame2);
    m_optSaveType[0]->setObjectName(QStringLiteral("optSaveType0"));
    m_optSaveType[1]->setObjectName(QStringLiteral("optSaveType1"));

    const auto button = [this](const QString &name, const QString &caption) {
        auto *push = new QPushButton(caption, this);
        push->setObjectName(name);
        // No button is the default: Enter presses only the button that has the focus.
        push->setAutoDefault(false);
        return push;
    };
    m_cmdOK = button(QStringLiteral("cmdOK"), QStringLiteral("OK"));
    m_cmdCancel = button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    m_cmdApply = button(QStringLiteral("cmdApply"), QStringLiteral("Apply"));

    const std::array<Placement, 8> placements{{
        {frame1, 120, 120, 7455, 855},
        {m_chkAutoLoad, 240, 360, 4575, 255},
        {frame2, 120, 1080, 7455, 2895},
        {m_optSaveType[0], 240, 360, 4575, 255},
        {m_optSaveType[1], 240, 720, 6615, 255},
        {m_cmdOK, 4440, 4200, 975, 375},
        {m_cmdCancel, 5520, 4200, 975, 375},
        {m_cmdApply, 6600, 4200, 975, 375},
    }};
    TwipsLayout layout;
    for (const Placement &p : placements)
        if (p.control != frame1 && p.control != frame2)
            layout.makeRoomFor(*p.control, p.width);
    for (const Placement &p : placements)
        layout.place(*p.control, p.left, p.top, p.width, p.height);
    setFixedSize(layout.x(ClientWidthTwips), TwipsLayout::y(ClientHeightTwips));

    setTabOrder(m_chkAutoLoad, m_optSaveType[0]);
    setTabOrder(m_optSaveType[0], m_optSaveType[1]);
    setTabOrder(m_optSaveType[1], m_cmdCancel);
    setTabOrder(m_cmdCancel, m_cmdApply);
    setTabOrder(m_cmdApply, m_cmdOK);

    // Any click on a choice, even one that changes nothing, makes Apply available again.
    const auto enableApply = [this] { m_cmdApply->setEnabled(true); };
    connect(m_chkAutoLoad, &QCheckBox::clicked, this, enableApply);
    for (QRadioButton *option : m_optSaveType)
        connect(option, &QRadioButton::clicked, this, enableApply);
    connect(m_cmdOK, &QPushButton::clicked, this, &OptionsDialog::cmdOK_Click);
    connect(m_cmdApply, &QPushButton::clicked, this, &OptionsDialog::cmdApply_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &OptionsDialog::cmdCancel_Click);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void OptionsDialog::Form_Load()
{
    const badRegistry::OptionSettings settings = AppSettings(m_store).readOptions(m_doc);
    m_chkAutoLoad->setChecked(settings.autoOpen == 1);
    m_optSaveType[settings.saveType != 0 ? 1 : 0]->setChecked(true);
}

void OptionsDialog::saveChoices()
{
    const badRegistry::OptionSettings chosen{static_cast<std::int16_t>(m_chkAutoLoad->isChecked() ? 1 : 0),
                                             static_cast<std::int16_t>(m_optSaveType[0]->isChecked() ? 0 : 1)};
    AppSettings(m_store).storeOptions(m_doc, chosen);
}

void OptionsDialog::cmdApply_Click()
{
    saveChoices();
    m_cmdApply->setEnabled(false);
}

void OptionsDialog::cmdOK_Click()
{
    saveChoices();
    accept();
}

void OptionsDialog::cmdCancel_Click()
{
    reject();
}
