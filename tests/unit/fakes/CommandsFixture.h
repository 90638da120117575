#pragma once
// The main window on fakes with the stack installed, for the file commands
// and the automatic actions.

#include <string>
#include <vector>

#include "fakes/MainPresenterFixture.h"

namespace qw {

class CommandsFixture : public MainPresenterFixture {
protected:
    CommandsFixture() { InstallStack(); }

    // A file in the inbox; a picture of width x height pixels when given a size.
    static std::string InInbox(const std::string& name) { return "C:\\App\\inbox\\" + name; }
    void AddToInbox(const std::string& name, int width = 0, int height = 0) {
        files.AddFile(InInbox(name), "data of " + name);
        if (width) pictures.AddPixels(InInbox(name), width, height);
    }
    // Starts the window and makes the file current, as a click on it does.
    MainPresenter& StartedWith(const std::string& path) {
        MainPresenter& w = Started();
        w.ShowFile(path);
        return w;
    }
    // A file beamed into the stack's inbox folder, taken over on the next tick.
    void Beam(const std::string& name, int width = 0, int height = 0) {
        files.AddFile("C:\\BT\\In\\" + name, "data of " + name);
        if (width) pictures.AddPixels(InInbox(name), width, height);
    }
    std::vector<std::string> Paths(const FileList& list) const {
        std::vector<std::string> paths;
        for (const FileItem& file : list) paths.push_back(file.Path);
        return paths;
    }
    std::vector<std::string> Strip() const { return Paths(strip.Files()); }
};

}  // namespace qw
