#pragma once

#include <QByteArray>
#include <QString>

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }

namespace kestrava::persist {

// The project file project.prg: the stage count and, per stage, the groups
// (by object file name), placed objects, text objects and event rows.
// Every function throws io::Error with a Russian message naming the file.

// "Новый" on a reset project: ProjectDir := the folder of chosenFile; creates
// objects, res and src there and writes ProjectDir/project.prg (header "proekt").
// Refused when that folder already holds another project's project.prg.
void save_project(model::Project& project, const QString& chosenFile);

// "Сохранить" / "Сохранить как ...": writes the project to target (header
// "fdgdf"), replacing it in one step. Refused with no project folder chosen.
void save(const model::Project& project, const QString& target);

// "Открыть": reads chosenFile into a fresh model, importing every group from
// app's objects folder (or the project's own objects copy), and replaces
// project only when the whole file was read; ProjectDir := its folder,
// SelLevel := CurLevel := 1. The caller refreshes its panes afterwards.
void load(model::Project& project, const io::AppFolder& app, const QString& chosenFile);

// The bytes save() writes to path (path only names the file in messages).
QByteArray projectFileBytes(const model::Project& project, const QString& header, const QString& path);

} // namespace kestrava::persist
