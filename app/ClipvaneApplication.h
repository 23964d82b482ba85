#pragma once

#include <QApplication>

// The application object. An error that escapes a command handler is shown in an error box and
// the program goes on.
class ClipvaneApplication : public QApplication
{
public:
    ClipvaneApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
