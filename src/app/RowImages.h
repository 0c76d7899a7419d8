// The row icons of both lists (images 0 file, 1 folder, 2 parent) in one image
// list at the size that fits the window's DPI: 16 pixels at 96 DPI. The main
// window owns it; both list views only share it (LVS_SHAREIMAGELISTS), and a
// new list for another DPI replaces the old one in both before that one goes.
#pragma once

#include <windows.h>
#include <commctrl.h>

class ListView;

class RowImages {
public:
    RowImages() = default;
    ~RowImages();
    RowImages(const RowImages&) = delete;
    RowImages& operator=(const RowImages&) = delete;

    void Build(int dpi, const ListView& local, const ListView& ftp);
    HIMAGELIST Handle() const { return m_images; }

private:
    HIMAGELIST m_images = nullptr;
};
