#pragma once
// The report frame: the banner box and the page headers. The first column of
// every report record is a carriage-control column: "1" starts a new page.

#include <string>
#include <string_view>

namespace zrv {

struct RunState;

enum HeaderKind { header_data_echo = 1, header_results = 2, header_new_page = 3 };

// Page header of `kind`: 1 the banner, the file-name block and the DATA ECHO
// heading; 2 the banner and the RESULTS heading; 3 a new page with the title.
// Sets `status` to 1 for kinds 1 and 2 and leaves it alone for kind 3.
void HEADER(RunState& s, int kind, int& status);

// The banner box with the version, run date and time, then the title.
void BANNER(RunState& s, int& status);

// A path split into its parts as the file-name block shows them. `folder`
// keeps its closing separator; `extension` keeps its dot.
struct PathParts {
  std::string drive, folder, name, extension;
};
PathParts split_path(std::string_view path);

}  // namespace zrv
