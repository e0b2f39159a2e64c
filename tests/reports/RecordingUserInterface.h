#pragma once

#include "FakeUserInterface.h"

// The scripted UI, also noting which file each save dialog was told never to offer.
class RecordingUserInterface final : public UserInterface {
public:
    FakeUserInterface fake;
    std::vector<QString> neverOffered;

    bool askYesNo(QWidget *parent, const QString &title, const QString &text, Icon icon) override
    {
        return fake.askYesNo(parent, title, text, icon);
    }
    void showError(QWidget *parent, const QString &title, const QString &text) override
    {
        fake.showError(parent, title, text);
    }
    std::optional<QString> chooseFileToOpen(QWidget *parent, const FileFilter &filter) override
    {
        return fake.chooseFileToOpen(parent, filter);
    }
    std::optional<QString> chooseFileToSave(QWidget *parent, const FileFilter &filter,
                                            const QString &proposedPath,
                                            const QString &neverOffer) override
    {
        neverOffered.push_back(neverOffer);
        return fake.chooseFileToSave(parent, filter, proposedPath, neverOffer);
    }
    void setBusy(bool busy) override { fake.setBusy(busy); }
};
