#include "jobs/JobScripts.h"

#include "jobs/JobFiles.h"
#include "jobs/ScriptFile.h"
#include "platform/CodePage.h"

void WriteEvents(const QString &folder, const JobSettings &settings)
{
    writeScriptFile(folder + JobFiles::eventScript,
                    CodePage::system().encode(eventScript(settings.timeEvents, settings.clipInformation)));
}

void WriteMap(const QString &folder, const JobSettings &settings)
{
    writeScriptFile(folder + JobFiles::mapScript, CodePage::system().encode(clickMapScript(settings.clickMap)));
}
