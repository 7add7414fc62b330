#pragma once
// What the tour leaves in its folder: the results of its checks and the
// page that shows the screenshots with their captions.
#include <string>
#include <vector>

namespace demo::tour {

struct Figure {
    std::wstring file;  // name inside the folder
    std::wstring caption;
};

struct Result {
    bool pass;
    std::wstring check;
    bool info = false;  // an observation, no check: written as INFO, never a failure
};

class Report {
public:
    void Add(Figure figure) { m_figures.push_back(std::move(figure)); }
    void Add(Result result) { m_results.push_back(std::move(result)); }
    int FigureCount() const { return static_cast<int>(m_figures.size()); }
    int Failures() const;

    // tour-results.txt and index.html in `folder`; false when one could not be written.
    bool Write(const std::wstring& folder) const;

private:
    std::vector<Figure> m_figures;
    std::vector<Result> m_results;
};

// Creates the folder and the folders above it.
bool MakeFolder(const std::wstring& folder);
std::string Utf8(const std::wstring& s);

}  // namespace demo::tour
