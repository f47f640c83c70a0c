#pragma once
// A temporary folder for one test, removed with everything in it at the end.

#include <string>

class TTemp_Dir {
  public:
    TTemp_Dir();
    ~TTemp_Dir();
    TTemp_Dir(const TTemp_Dir&) = delete;
    TTemp_Dir& operator=(const TTemp_Dir&) = delete;

    // The folder, ending in "/".
    const std::string& Path() const { return path_; }
    // Writes a file below the folder (parents created); relative may use "/" or "\".
    std::string Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;

  private:
    std::string path_;
};
