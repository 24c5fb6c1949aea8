#pragma once

#include "forms/prompts.h"

#include <QStringList>

// Answers the windows' questions and dialogs the way the test says, starts no program, and
// remembers what was asked.
class FakePrompts : public mivo::Prompts {
  public:
    QStringList warnings;
    QStringList informed;
    QList<QStringList> offered; // each list the user was asked to choose from
    std::optional<int> choice = 0;
    QStringList questions;
    QStringList suggestedNames;
    bool answer = false;         // to every yes/no question
    QList<QStringList> findings; // each list shown before printing
    bool printingAnyway = true;  // このまま印刷 to every such list
    QString path;                // where to save a PDF or a file; empty means cancelled
    QStringList openAnswers;     // what the open dialog answers, in turn; none left means cancelled
    QString filter;              // the last open dialog's choices
    QStringList painted;         // pictures handed to the paint program
    bool paintProgramStarts = true;
    mivo::ImageChoice image;                                // the picture dialog's answer
    std::optional<mivo::PrinterChoice> printer;             // the print dialog's answer
    std::optional<mivo::CaseDocumentsChoice> caseDocuments; // nullopt: cancelled
    QStringList offeredDocuments;                           // what the case dialog offered
    std::optional<mivo::LocationMapFetch> fetchedMap;       // 地図を取得's answer
    QStringList fetchAddresses;                             // the addresses it was offered

    void warn(QWidget*, const QString& text) override { warnings.append(text); }
    void inform(QWidget*, const QString& text) override { informed.append(text); }
    std::optional<int> choose(QWidget*, const QString&, const QStringList& choices) override {
        offered.append(choices);
        return choice;
    }
    bool ask(QWidget*, const QString& text) override {
        questions.append(text);
        return answer;
    }
    bool printAnyway(QWidget*, const QStringList& lines, bool* stopAsking) override {
        findings.append(lines);
        *stopAsking = false;
        return printingAnyway;
    }
    QString pdfSavePath(QWidget*, const QString& suggestedName) override {
        suggestedNames.append(suggestedName);
        return path;
    }
    mivo::ImageChoice imageSavePath(QWidget*, const QString& suggestedName) override {
        suggestedNames.append(suggestedName);
        return image;
    }
    std::optional<mivo::PrinterChoice> choosePrinter(QWidget*) override { return printer; }
    std::optional<mivo::CaseDocumentsChoice>
    chooseCaseDocuments(QWidget*, const QStringList& titles) override {
        offeredDocuments = titles;
        return caseDocuments;
    }
    QString openFileName(QWidget*, const QString& choices) override {
        filter = choices;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString saveFileName(QWidget*, const QString& suggestedName, const QString&) override {
        suggestedNames.append(suggestedName);
        return path;
    }
    std::optional<mivo::LocationMapFetch> fetchLocationMap(QWidget*, const QString& home,
                                                           const QString& parking) override {
        fetchAddresses = {home, parking};
        return fetchedMap;
    }
    bool startPaintProgram(const QString& picturePath) override {
        painted.append(picturePath);
        return paintProgramStarts;
    }
};
