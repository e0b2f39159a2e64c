#pragma once

#include "MergeListModel.h"

#include <QDialog>

class QLineEdit;
class QTreeView;

// The differences a merge found, to be taken or left one by one or a heading at a time,
// with a box that narrows them as the list's find box does. The choices are read once
// the user pressed OK.
class MergeDialog final : public QDialog {
    Q_OBJECT
public:
    // theirsName names the file merged in; result and mine must outlive the dialog.
    MergeDialog(const MergeResult &result, const IniDocument &mine, const QString &theirsName, bool withBase,
                QWidget *parent = nullptr);

    MergeListModel &model() { return m_model; }
    const std::vector<MergeChoice> &choices() const { return m_model.choices(); }
    bool takePreamble() const { return m_model.takePreamble(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addGroupButtons();

    MergeListModel m_model;
    QLineEdit *m_txtFind = nullptr;
    QTreeView *m_tvwMerge = nullptr;
};
