#include "app/RowImages.h"

#include "framework/DpiScale.h"
#include "framework/ListView.h"
#include "res/resource.h"

RowImages::~RowImages()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

void RowImages::Build(int dpi, const ListView& local, const ListView& ftp)
{
    // The icon files hold the common scales; LoadImageW picks the nearest and
    // shrinks or stretches it to any other size.
    const int size = ScaleForDpi(16, dpi);
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24, 3, 0);
    // Without a mask the icons are drawn onto the list's background colour as
    // they are added; otherwise their transparent corners would turn black.
    ImageList_SetBkColor(images, ::GetSysColor(COLOR_WINDOW));
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (int icon : {IDI_FILE, IDI_FOLDER, IDI_PARENT}) {
        HICON image = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(images, image);
        ::DestroyIcon(image);
    }
    for (const ListView* list : {&local, &ftp}) {
        list->Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
        list->Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    }
    if (m_images)
        ImageList_Destroy(m_images);
    m_images = images;
}
