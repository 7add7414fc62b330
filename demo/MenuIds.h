#pragma once
// Command identifiers of DemoHost's menus. Drivers (tests, the screenshot
// tour) post WM_COMMAND with these to the frame window "MDIForm1".
#include <windows.h>

namespace demo::cmd {

// The frame's own menu, shown while no child form is open.
inline constexpr UINT FrameFileNew = 101;
inline constexpr UINT FrameFileOpen = 102;
inline constexpr UINT FrameFileClose = 103;
inline constexpr UINT FrameFilePrinterSetup = 104;
inline constexpr UINT FrameFileExit = 105;
inline constexpr UINT FrameHelpAbout = 106;

// The child form's menu.
inline constexpr UINT FileOpen = 201;
inline constexpr UINT FileClose = 202;
inline constexpr UINT FileSave = 203;
inline constexpr UINT FileSaveAs = 204;
inline constexpr UINT FileUseCustomColors = 205;
inline constexpr UINT FileRightToLeftMenu = 206;
inline constexpr UINT FilePrintSetup = 207;
inline constexpr UINT FilePrint = 208;
inline constexpr UINT FileExit = 209;

inline constexpr UINT EditUndo = 221;
inline constexpr UINT EditRedo = 222;
inline constexpr UINT EditCut = 223;
inline constexpr UINT EditCopy = 224;
inline constexpr UINT EditPaste = 225;
inline constexpr UINT EditDelete = 226;

inline constexpr UINT Font0 = 240;  // control array: Font0 + index, 4 items
inline constexpr int FontCount = 4;

inline constexpr UINT LangEnglish = 250;
inline constexpr UINT LangFrench = 251;
inline constexpr UINT LangGerman = 252;
inline constexpr UINT LangItalian = 253;
inline constexpr UINT LangSpanish = 254;

inline constexpr UINT BgPicture0 = 260;  // control array: None, Clouds, Lake
inline constexpr int BgPictureCount = 3;

inline constexpr UINT ViewZoomIn = 271;
inline constexpr UINT ViewZoomOut = 272;

inline constexpr UINT TrackUndo = 281;
inline constexpr UINT TrackCut = 282;
inline constexpr UINT TrackCopy = 283;
inline constexpr UINT TrackPaste = 284;

inline constexpr UINT ToolsHighlightStyle = 291;
inline constexpr UINT ToolsBorderStyle = 292;
inline constexpr UINT ToolsTooltipProperties = 293;
inline constexpr UINT ColorScheme0 = 295;  // control array: Classic, Dark, Auto (qlColorScheme values)
inline constexpr int ColorSchemeCount = 3;

inline constexpr UINT HelpAbout = 301;

// First identifier of the MDI client's window list (the demo has no window
// menu, but the client wants a range that no command uses).
inline constexpr UINT FirstMdiChild = 0xFF00;

}  // namespace demo::cmd
