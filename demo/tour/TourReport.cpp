#include "demo/tour/TourReport.h"
#include <windows.h>
#include <cstdio>

namespace demo::tour {
namespace {

std::string Html(const std::wstring& s) {
    std::string out;
    for (char c : Utf8(s)) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c; break;
        }
    }
    return out;
}

bool WriteText(const std::wstring& path, const std::string& text) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

std::string Utf8(const std::wstring& s) {
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

bool MakeFolder(const std::wstring& folder) {
    if (folder.empty()) return false;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t slash = folder.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0 && folder[slash - 1] != L':') MakeFolder(folder.substr(0, slash));
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

int Report::Failures() const {
    int n = 0;
    for (const Result& r : m_results) n += r.pass || r.info ? 0 : 1;
    return n;
}

bool Report::Write(const std::wstring& folder) const {
    std::string results;
    for (const Result& r : m_results) results += (r.info ? "INFO " : r.pass ? "PASS " : "FAIL ") + Utf8(r.check) + "\n";

    std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>DemoHost tour</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 2em; background: #f4f4f4; }\n"
        "figure { display: inline-block; vertical-align: top; margin: 0 1.5em 1.5em 0; background: #fff;"
        " padding: 0.6em; border: 1px solid #ccc; }\n"
        "figcaption { max-width: 36em; margin-top: 0.4em; }\n"
        ".fail { color: #a00; font-weight: bold; }\n</style>\n</head>\n<body>\n"
        "<h1>DemoHost tour</h1>\n<p>Each picture was taken while the tour drove DemoHost with real mouse and "
        "keyboard input.</p>\n";
    char summary[128];
    std::snprintf(summary, sizeof summary, "<p>%d screenshots, %d checks, %d failed.</p>\n",
                  static_cast<int>(m_figures.size()), static_cast<int>(m_results.size()), Failures());
    page += summary;
    for (const Figure& f : m_figures)
        page += "<figure><img src=\"" + Html(f.file) + "\" alt=\"" + Html(f.caption) + "\"><figcaption>" +
                Html(f.file.substr(0, 2)) + ". " + Html(f.caption) + "</figcaption></figure>\n";
    page += "<h2>Checks</h2>\n<ul>\n";
    for (const Result& r : m_results)
        page += std::string("<li") + (r.info ? ">INFO " : r.pass ? ">PASS " : " class=\"fail\">FAIL ") + Html(r.check) +
                "</li>\n";
    page += "</ul>\n</body>\n</html>\n";

    const bool a = WriteText(folder + L"\\tour-results.txt", results);
    const bool b = WriteText(folder + L"\\index.html", page);
    return a && b;
}

}  // namespace demo::tour
