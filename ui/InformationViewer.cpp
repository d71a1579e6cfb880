#include "InformationViewer.h"

#include "PaneText.h"

#include "../engine/ThreatCatalogue.h"

void ShowThreatInformation(int index, PlatformServices& files, ReportPane& pane)
{
    const ThreatEntry* entry = FindThreat(index);
    if (!entry)
        return;
    const std::string text = InformationText(files.ReadFileBytes(entry->infoFile));
    if (text != pane.Text())
        pane.ReplaceText(text);
}
