// OutputRuleDialog: where the merged clips of the batch go.
#pragma once

#include "jobs/OutputRule.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Sets the output rule: beside each source or into a folder (keeping the sub-folders of added
// folders on request), the prefix of the file names, whether clips with an up-to-date merged clip
// are passed over, and whether merged clips keep their source's date. OK stays disabled while the rule would
// make an output its own source.
class OutputRuleDialog : public QDialog
{
    Q_OBJECT

public:
    // The browse button starts in the rule's folder, else in the folder it chose last.
    OutputRuleDialog(const OutputRule &rule, const QString &lastBrowsedFolder, QWidget *parent = nullptr);

    OutputRule rule() const;
    QString lastBrowsedFolder() const { return m_lastBrowsedFolder; }

    QRadioButton *besideSource = nullptr;
    QRadioButton *intoFolder = nullptr;
    QLineEdit *folder = nullptr;
    QPushButton *browse = nullptr;
    QCheckBox *keepTree = nullptr;
    QCheckBox *skipExisting = nullptr;
    QCheckBox *keepDate = nullptr;
    QLineEdit *prefix = nullptr;
    QLabel *problem = nullptr;
    QDialogButtonBox *buttons = nullptr;

private:
    void browseForFolder();
    void updateControls();

    QString m_lastBrowsedFolder;
};
