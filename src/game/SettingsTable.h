// Every value the program keeps between runs: its name, kind and default,
// declared once here so that every reader uses the same default.
// Read and write them through TVlqProcs::ReadSetting / WriteSetting.
#pragma once
#include <array>
#include <string_view>

namespace VlqSetting {

// A 32-bit number (REG_DWORD on Windows, dword:XXXXXXXX in our own store).
struct Integer {
    std::string_view name;
    int def;
};
// A number whose default is the square size computed at start-up from the
// screen (game().defaultSquareSize).
struct SquareSize {
    std::string_view name;
};
// A text value (REG_SZ).
struct Text {
    std::string_view name;
    std::string_view def;
};
// A text value holding colour text ("clBlack", "$00F0FBFF", "255").
struct Colour {
    std::string_view name;
    std::string_view def;
};
// A text value holding bounds text "left,top,width,height"; empty (the
// default) means no bounds are saved.
struct Bounds {
    std::string_view name;
};

// Sounds: 0 none, 1 sound effects, 2 speech.
inline constexpr Integer PlaySounds{"PlaySounds", 1};
// 1: puzzle windows use the program's own cursors; anything else the arrow.
inline constexpr Integer UseCursors{"UseCursors", 0};
// Highlighted answer position (from 0) when the answer window opens; 31 none.
inline constexpr Integer SolveHLOn{"SolveHLOn", 31};

inline constexpr Colour FilledSqColor{"FilledSqColor", "clBlack"};
inline constexpr Colour BlankSqColor{"BlankSqColor", "clWhite"};
inline constexpr Colour FontColor{"FontColor", "clBlack"};
inline constexpr Text FontName{"FontName", "Arial"};
inline constexpr Integer FontSize{"FontSize", 11};
inline constexpr Integer FontStyle{"FontStyle", 0}; // bits 1 bold, 2 italic, 4 underline, 8 strike-out

inline constexpr Text SolveFontName{"SolveFontName", "Times New Roman"};
inline constexpr Colour SolveFontColor{"SolveFontColor", "clBlack"};
inline constexpr Integer SolveFontSize{"SolveFontSize", 11};
inline constexpr Integer SolveFontStyle{"SolveFontStyle", 0};

inline constexpr Text DictPath{"DictPath", ""};
inline constexpr Text ThesPath{"ThesPath", ""};

inline constexpr SquareSize ScreenSquare{"ScreenSquare"};
inline constexpr SquareSize AuthorTitleSquare{"AuthorTitleSquare"};
inline constexpr Bounds ScreenBoundsGrid{"ScreenBoundsGrid"};
// For the author-title strip and the clue list, Left 10000, 20000, 30000 and
// 40000 are placement codes rather than positions.
inline constexpr Bounds ScreenBoundsAuthorTitle{"ScreenBoundsAuthorTitle"};
inline constexpr Bounds ScreenBoundsClues{"ScreenBoundsClues"};
inline constexpr Bounds ScreenBoundsSolve{"ScreenBoundsSolve"};
// The Make a Puzzle window: frame left and top, client width and height.
inline constexpr Bounds ScreenBoundsMaker{"ScreenBoundsMaker"};

// Full path of the puzzle last opened; empty when none.
inline constexpr Text CurrentPuzzle{"CurrentPuzzle", ""};
// Recent puzzles, most recent first: full path followed by " /s".
inline constexpr Text HistoryPuzzle1{"HistoryPuzzle1", ""};
inline constexpr Text HistoryPuzzle2{"HistoryPuzzle2", ""};
inline constexpr Text HistoryPuzzle3{"HistoryPuzzle3", ""};
inline constexpr std::array<Text, 3> HistoryPuzzle{HistoryPuzzle1, HistoryPuzzle2, HistoryPuzzle3};

// Solving aids (all off in the classic game). SolvingAids switches them on
// together; each Aid... value then switches one aid on its own.
inline constexpr Integer SolvingAids{"SolvingAids", 0};
inline constexpr Integer AidLabels{"AidLabels", 1};
inline constexpr Integer AidLinked{"AidLinked", 1};
inline constexpr Integer AidKeys{"AidKeys", 1};
inline constexpr Integer AidUndo{"AidUndo", 1};
inline constexpr Integer AidCheck{"AidCheck", 1};
inline constexpr Integer AidZoom{"AidZoom", 1};
inline constexpr Integer AidPlaceAnswer{"AidPlaceAnswer", 1};
inline constexpr Integer AidSolved{"AidSolved", 1};
inline constexpr Integer AidTime{"AidTime", 1};
inline constexpr Integer AidPencil{"AidPencil", 1};
inline constexpr Integer AidProgress{"AidProgress", 1};
// Tint of the squares linked to the current one (a soft blue).
inline constexpr Colour LinkedSqColor{"LinkedSqColor", "$00FFE1C8"};
// Grid zoom in per cent of the fitted size, used while AidZoom is on.
inline constexpr Integer ZoomPercent{"ZoomPercent", 100};

// The whole table, for checks that walk every value.
enum class Kind { Integer, SquareSize, Text, Colour, Bounds };
struct Entry {
    std::string_view name;
    Kind kind;
    int intDefault = 0;          // Integer
    std::string_view textDefault; // Text, Colour
    constexpr Entry(Integer s) : name(s.name), kind(Kind::Integer), intDefault(s.def) {}
    constexpr Entry(SquareSize s) : name(s.name), kind(Kind::SquareSize) {}
    constexpr Entry(Text s) : name(s.name), kind(Kind::Text), textDefault(s.def) {}
    constexpr Entry(Colour s) : name(s.name), kind(Kind::Colour), textDefault(s.def) {}
    constexpr Entry(Bounds s) : name(s.name), kind(Kind::Bounds) {}
};

inline constexpr std::array<Entry, 40> All{
    Entry(PlaySounds), Entry(UseCursors), Entry(SolveHLOn),
    Entry(FilledSqColor), Entry(BlankSqColor), Entry(FontColor), Entry(FontName), Entry(FontSize), Entry(FontStyle),
    Entry(SolveFontName), Entry(SolveFontColor), Entry(SolveFontSize), Entry(SolveFontStyle),
    Entry(DictPath), Entry(ThesPath),
    Entry(ScreenSquare), Entry(AuthorTitleSquare),
    Entry(ScreenBoundsGrid), Entry(ScreenBoundsAuthorTitle), Entry(ScreenBoundsClues), Entry(ScreenBoundsSolve),
    Entry(ScreenBoundsMaker),
    Entry(CurrentPuzzle), Entry(HistoryPuzzle1), Entry(HistoryPuzzle2), Entry(HistoryPuzzle3),
    Entry(SolvingAids), Entry(AidLabels), Entry(AidLinked), Entry(AidKeys), Entry(AidUndo),
    Entry(AidCheck), Entry(AidZoom), Entry(AidPlaceAnswer), Entry(AidSolved), Entry(AidTime), Entry(AidPencil),
    Entry(AidProgress), Entry(LinkedSqColor), Entry(ZoomPercent),
};

} // namespace VlqSetting
