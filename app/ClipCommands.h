// ClipCommands: Clip Contents and Load Settings from Clip.
#pragma once

#include <QObject>

class QAction;
class TForm1;

// What the selected row's clip carries: shown in a window of its own, or taken as the batch's
// time events, click event and clip information.
class ClipCommands : public QObject
{
    Q_OBJECT

public:
    explicit ClipCommands(TForm1 &form);

    void actClipContentsExecute();
    // From the selected row's output once merged, else from its source; the output rule stays.
    void actLoadSettingsFromClipExecute();

    QAction *ClipContents1 = nullptr;
    QAction *LoadSettingsFromClip1 = nullptr;
    QAction *ClipContents2 = nullptr;
    QAction *LoadSettingsFromClip2 = nullptr;

private:
    TForm1 &m_form;
};
