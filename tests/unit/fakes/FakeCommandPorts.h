#pragma once
// The platform services of the file commands, recording what they were asked.
// The file dialogs can run `whileOpen` before they answer, as the user or the
// watcher would while they are on screen.

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "main/MainPorts.h"

namespace qw {

// Records the marks asked for ("source path"); `verdict` answers them.
class RecordingMarks : public ZoneMarker {
public:
    std::vector<std::string> marked;
    std::function<Verdict(const std::string& path)> verdict = [](const std::string&) { return Verdict::Kept; };
    Verdict MarkFromOutside(const std::string& path, const std::string& source) override {
        marked.push_back(source + " " + path);
        return verdict(path);
    }
};

class FakeFileDialogs : public FileDialogs {
public:
    struct Shown {
        bool Save = false;
        FileDialogOptions Options;
    };
    std::vector<Shown> shown;
    std::optional<std::string> answer;  // nothing: the user cancelled
    bool fail = false;
    std::function<void()> whileOpen;

    std::optional<std::string> ShowSave(const FileDialogOptions& options) override { return Answer(true, options); }
    std::optional<std::string> ShowOpen(const FileDialogOptions& options) override { return Answer(false, options); }

private:
    std::optional<std::string> Answer(bool save, const FileDialogOptions& options) {
        shown.push_back({save, options});
        if (fail) throw std::runtime_error("the dialog could not be shown");
        if (whileOpen) std::exchange(whileOpen, nullptr)();
        return answer;
    }
};

// A printer whose printable area follows the orientation it was given.
class FakePrinter : public Printer {
public:
    TwipSize portrait{11520, 15120};  // Letter with quarter-inch margins
    bool missing = false;             // no printer installed
    bool failDrawing = false;
    std::vector<std::string> calls;   // "begin landscape", "draw 0 0 15120 11340", "end", "abort"

    TwipSize BeginDocument(PageOrientation orientation) override {
        if (missing) throw std::runtime_error("no default printer");
        const bool landscape = orientation == PageOrientation::Landscape;
        calls.push_back(landscape ? "begin landscape" : "begin portrait");
        return landscape ? TwipSize{portrait.Height, portrait.Width} : portrait;
    }
    void DrawPicture(const Picture&, const TwipRect& r) override {
        if (failDrawing) throw std::runtime_error("the printer went away");
        calls.push_back("draw " + std::to_string(r.Left) + " " + std::to_string(r.Top) + " " +
                        std::to_string(r.Width) + " " + std::to_string(r.Height));
    }
    void EndDocument() override { calls.push_back("end"); }
    void AbortDocument() noexcept override { calls.push_back("abort"); }
};

class FakeClipboard : public Clipboard {
public:
    std::vector<HimetricSize> put;
    bool fail = false;
    void PutPicture(const Picture& picture) override {
        if (fail) throw std::runtime_error("the clipboard is held by another program");
        put.push_back(picture.NaturalSize());
    }
};

// Encodes a picture as a short text naming its size, so tests can tell
// whose picture was written.
class FakeWallpaper : public Wallpaper {
public:
    std::vector<std::string> set;  // paths made the wallpaper
    bool failEncoding = false;
    bool failSetting = false;

    static std::string BitmapOf(HimetricSize size) {
        return "BM " + std::to_string(size.Width) + "x" + std::to_string(size.Height);
    }
    std::vector<std::uint8_t> BitmapFile(const Picture& picture) override {
        if (failEncoding) throw std::runtime_error("cannot encode the picture");
        const std::string text = BitmapOf(picture.NaturalSize());
        return {text.begin(), text.end()};
    }
    void SetWallpaper(const std::string& path) override {
        if (failSetting) throw std::runtime_error("the wallpaper was refused");
        set.push_back(path);
    }
};

class FakeMailer : public Mailer {
public:
    std::vector<std::string> attached;
    bool missing = false;  // no mail program at all
    MailResult result = MailResult::Shown;

    MailResult NewMailWithAttachment(const std::string& path) override {
        if (missing) throw std::runtime_error("no mail program is registered");
        attached.push_back(path);
        return result;
    }
};

}  // namespace qw
