#include "ftppane/SavedServerStore.h"

void SavedServerStore::Load()
{
    m_list = SavedServerList::Decode(m_settings.ReadSettingList(kSavedServerKey), m_protector);
}

bool SavedServerStore::Store(const SavedServerList& changed)
{
    if (!m_settings.WriteSettingList(kSavedServerKey, changed.Encode()))
        return false;
    m_list = changed;
    return true;
}
