// The preview as a real window over WIC pictures.
#include <gtest/gtest.h>

#include <memory>

#include "PictureFiles.h"
#include "WindowCapture.h"
#include "win32/main/PreviewControl.h"
#include "win32/WicPictures.h"

namespace {

using qw::win32::HandleKind;
using qw::win32::LiveHandles;

// Every picture shown in the preview stays in the strip while its file is on
// show; it must not keep the large drawing it had there.
TEST(PreviewControl, APictureReplacedLetsItsDrawingGoAndKeepsItsThumbnail) {
    qw::win32::WicPictureLoader loader;  // first: it initialises COM, which the encoder needs too
    qw::test::TempFolder folder;
    const std::string path = folder / "photo.jpg";
    qw::test::WritePhotoJpeg(qw::win32::Widen(path), 64, 48);
    const std::shared_ptr<const qw::win32::WicPicture> first = loader.LoadPicture(path);
    const std::shared_ptr<const qw::win32::WicPicture> second = loader.LoadPicture(path);
    const HBITMAP thumbnail = first->Render(32, 24);

    qw::test::HostWindow host(200, 200);
    qw::win32::PreviewControl preview(GetModuleHandleW(nullptr), {.Parent = host.Handle()});
    preview.SetSize(60, 45);
    preview.SetPicture(first);
    const qw::win32::MemoryDC dc(CreateCompatibleDC(nullptr));
    SendMessageW(preview.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    const long bitmaps = LiveHandles(HandleKind::Bitmap);
    preview.SetPicture(second);
    EXPECT_EQ(LiveHandles(HandleKind::Bitmap), bitmaps - 1);
    EXPECT_EQ(first->Render(32, 24), thumbnail);
}

}  // namespace
