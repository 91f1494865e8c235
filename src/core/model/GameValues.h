#pragma once

#include <QList>
#include <QString>

namespace kestrava::model {

// A whole-number variable of the author's ("Настройки игры" → "Переменные").
// Its Id names it in the game's Java and in the rows that use it, so a
// rename or a removal never makes a row mean another variable; ids are never
// given twice in a project (Project::NextVariableId).
struct GameVariableData {
    int Id = 0;
    QString Name;
    int Start = 0;
    // Starts again at Start on every stage; else kept from stage to stage.
    bool PerStage = false;
    bool operator==(const GameVariableData&) const = default;
};

constexpr int kMaxGameVariables = 50;
constexpr int kMaxVariableNameLength = 24;
// The score is always there: id 0, starting at 0 in each new game, kept
// from stage to stage, the best of all games kept on the phone.
inline constexpr int kScoreVariableId = 0;
QString scoreVariableName();

// What the game starts on when the author set it ("Настройки игры" →
// "Заставка"): the game's name and a picture of the project folder.
struct TitleScreenData {
    QString Name;
    // A file name in the project folder ("title.png"); empty for none.
    QString Picture;
    bool operator==(const TitleScreenData&) const = default;
};

// What is wrong with a title's fields (a picture that is no plain file name
// of the project folder, a name too long for a phone); empty when nothing.
QString titleScreenProblem(const TitleScreenData& title);

} // namespace kestrava::model
