// A file of the data set that does not serve, told on the terminal in the form
// `tarvel --check` uses, "DIR/vintra/tags/front/star.jpg: missing", with the data set's
// directory as the user named it, beside whatever message the show itself gives.
#pragma once

#include <functional>
#include <string>

class DataProblem {
public:
    // Installed by the shell once it knows where the data set is; until then nothing is
    // told. Takes the path as the show names it ("./vintra/…").
    static std::function<void(const std::string& path, const std::string& reason)> teller;

    static void tell(const std::string& path, const std::string& reason);
    // As tell, with "missing" when nothing is at `path` and `otherwise` when something is.
    static void tellMissingOr(const char* path, const std::string& otherwise);
};
