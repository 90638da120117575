#pragma once
// A test of the real program with the demo Bluetooth stack receiving into
// one folder, no Quillwave registry values before or after, and a phone
// folder holding what is to be beamed.

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <string>

#include "Harness.h"
#include "PictureFiles.h"

namespace e2e {

class BeamFixture : public ::testing::Test {
protected:
    static constexpr const wchar_t* QuillwaveKey = L"Software\\Quillwave";

    void SetUp() override {
        DeleteUserKey(QuillwaveKey);
        CreateDirectoryW(stackInbox.c_str(), nullptr);
        SetStackFolders(stackInbox, stackInbox);
    }
    void TearDown() override {
        RemoveStackFolders();
        DeleteUserKey(QuillwaveKey);
    }

    // A photo-like JPEG on the phone, written with the platform's encoder (which needs COM).
    void PhotoOnThePhone(const std::wstring& name, int width, int height) {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        qw::test::WritePhotoJpeg(phone / name, width, height);
        CoUninitialize();
    }

    TempFolder stack{L"qw stack"};
    TempFolder phone{L"qw phone"};
    std::wstring stackInbox = stack.WidePath() + L"\\in";
};

}  // namespace e2e
