// The widths of the three columns of both lists. Size and Modified are as wide
// as the widest text they show in the list's font, at any display scale and in
// the language in use: their heading with room for the sort arrow, the widest
// size of each unit and a time of each hour of a day in the user's format. The
// name column takes what they leave of the list (NameColumnWidth).
#pragma once

class CTranslation;
class ListView;

void FitListColumns(const CTranslation& texts, int dpi, const ListView& list);
