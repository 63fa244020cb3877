// Temporary map folders for the data tests: a fresh folder that the readers see as the working
// directory, byte-level access to the files in it, and a loading window that records its texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/loading_window.h"

// Creates an empty folder under the system's temporary directory, removes it with its files.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const char* path() const { return path_.c_str(); }
    std::string File(const char* name) const { return path_ + "/" + name; }

    std::vector<uint8_t> Read(const char* name) const;
    void Write(const char* name, const std::vector<uint8_t>& bytes) const;
    void WriteText(const char* name, const std::string& text) const;
    // Keeps the first `size` bytes of a file.
    void Truncate(const char* name, size_t size) const;
    void Remove(const char* name) const;

  private:
    std::string path_;
};

// Makes `folder` the working directory for its lifetime.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const char* folder);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  private:
    std::string previous_;
};

// Records what the readers show, one entry per call: "open:<text>", "text:<text>", "close".
class RecordingLoadingWindow final : public LoadingWindow {
  public:
    RecordingLoadingWindow() { SetLoadingWindow(this); }
    ~RecordingLoadingWindow() override { SetLoadingWindow(nullptr); }
    void Open(const char* text) override { events.push_back(std::string("open:") + text); }
    void SetText(const char* text) override { events.push_back(std::string("text:") + text); }
    void Close() override { events.push_back("close"); }

    std::vector<std::string> events;
};
