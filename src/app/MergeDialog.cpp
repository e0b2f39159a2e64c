#include "MergeDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr QSize DesignSize(980, 620);
constexpr std::array<int, MergeListModel::ColumnCount> ColumnWidths{210, 160, 110, 140, 140, 140};

} // namespace

MergeDialog::MergeDialog(const MergeResult &result, const IniDocument &mine, const QString &theirsName,
                         bool withBase, QWidget *parent)
    : QDialog(parent), m_model(result, mine)
{
    setObjectName(QStringLiteral("frmMerge"));
    setWindowTitle(QStringLiteral("Merge %1").arg(theirsName));
    resize(DesignSize);

    auto *intro = new QLabel(
        withBase ? QStringLiteral("What %1 changed since the base. Ticked rows take its version; the others keep "
                                  "yours. Changes only you made stay in any case.")
                       .arg(theirsName)
                 : QStringLiteral("How %1 differs from yours. Ticked rows take its version; the others keep yours.")
                       .arg(theirsName),
        this);
    intro->setObjectName(QStringLiteral("lblMergeIntro"));
    intro->setWordWrap(true);

    m_txtFind = new QLineEdit(this);
    m_txtFind->setObjectName(QStringLiteral("txtMergeFind"));
    m_txtFind->setPlaceholderText(QStringLiteral("Find a ROM by name, CRC, comments or info"));
    m_txtFind->setClearButtonEnabled(true);
    m_txtFind->installEventFilter(this);
    connect(m_txtFind, &QLineEdit::textChanged, &m_model, &MergeListModel::setFilter);

    m_tvwMerge = new QTreeView(this);
    m_tvwMerge->setObjectName(QStringLiteral("tvwMerge"));
    m_tvwMerge->setUniformRowHeights(true);
    m_tvwMerge->setAlternatingRowColors(true);
    m_tvwMerge->setModel(&m_model);
    if (!withBase)
        m_tvwMerge->hideColumn(static_cast<int>(MergeListModel::Column::Base));
    for (int column = 0; column < MergeListModel::ColumnCount; ++column)
        m_tvwMerge->header()->resizeSection(column, ColumnWidths[static_cast<std::size_t>(column)]);
    addGroupButtons();
    for (int group = 0; group < MergeListModel::GroupCount; ++group)
        m_tvwMerge->expand(m_model.groupIndex(static_cast<MergeListModel::Group>(group)));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_txtFind);
    layout->addWidget(m_tvwMerge, 1);
    layout->addWidget(buttons);
}

void MergeDialog::addGroupButtons()
{
    for (int group = 0; group < MergeListModel::GroupCount; ++group) {
        const auto which = static_cast<MergeListModel::Group>(group);
        auto *holder = new QWidget(m_tvwMerge);
        auto *row = new QHBoxLayout(holder);
        row->setContentsMargins(0, 0, 0, 0);
        for (const bool take : {true, false}) {
            auto *button = new QPushButton(take ? QStringLiteral("Take All") : QStringLiteral("Keep All"), holder);
            button->setObjectName(QStringLiteral("%1%2").arg(take ? QStringLiteral("cmdTakeAll")
                                                                  : QStringLiteral("cmdKeepAll"))
                                      .arg(group));
            // Enter in the dialog means OK, never one of these.
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, which, take] { m_model.setGroupTaken(which, take); });
            row->addWidget(button);
        }
        row->addStretch();
        m_tvwMerge->setIndexWidget(m_model.index(group, static_cast<int>(MergeListModel::Column::Theirs)), holder);
    }
}

bool MergeDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the find box goes on to the rows found rather than applying the merge.
    if (watched == m_txtFind && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_tvwMerge->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
