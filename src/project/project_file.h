#pragma once

#include "project/project.h"

#include <optional>
#include <string>
#include <string_view>

// The project file (*.idchart): the project record as UTF-8 JSON, with the
// format's name and version at its top. Keys are the command line's option
// names; the inputs are kept as typed, beside their values. The format is
// described in docs/project-file.md.

inline constexpr const char *kProjectFormatName = "idchart-project";
// The version this program writes; files of this version and older open.
inline constexpr int kProjectFormatVersion = 1;
// The file name suffix, without the point.
inline constexpr const char *kProjectSuffix = "idchart";

// The project as the file's text, written by `program` ("idchart 1.0.0").
std::string ProjectJson(const Project &project, const std::string &program);

// A project read from a file's text, or what is wrong with the text: a
// Chinese sentence without the file's name ("第 3 行第 7 列：…",
// "格式版本 2 比本程序能打开的版本 1 新…"). What a project file leaves out
// (an input never confirmed, a title) takes the value a new project has.
struct ProjectReading {
    std::optional<Project> project;
    std::string error;
    // Whether the file holds design inputs confirmed in a dialog (the window's
    // 计算并描点 then computes at once instead of asking for them).
    bool hasInputs = false;
};
ProjectReading ReadProjectJson(std::string_view text);
