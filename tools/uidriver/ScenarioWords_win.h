#pragma once
// The words of one scenario line: blanks separate them, "quoted" words keep their blanks and take
// \n, \r, \", \\ and \xHH escapes, ${NAME} is replaced by the environment variable, # starts a
// comment.

#include <string>
#include <vector>

namespace uidriver {

std::vector<std::string> SplitWords(const std::string& line);
// An environment variable as UTF-8; empty when it is not set.
std::string Environment(const std::string& name);

}  // namespace uidriver
