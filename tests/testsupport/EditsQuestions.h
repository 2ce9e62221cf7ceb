#pragma once
// The question a window asks before it gives its user's edits up, in
// English, and the texts of the message boxes a test has seen.
#include "testsupport/FakeFileDialogs.h"
#include "testsupport/FakeMessageBoxes.h"

#include <QString>
#include <QStringList>

namespace rer::test {

inline const QString kEditsCloseQuestion =
    QStringLiteral("Data have been changed. Save the data into the file before closing?");
inline const QString kEditsReplaceQuestion = QStringLiteral("Data have been changed.Save the data into the file?");
inline const QString kEditsReadQuestion = QStringLiteral("Save the editing data before reading data?");

// The answers a test gives the question: Cancel, No, Yes with the Save As
// dialog cancelled, Yes with the file saved.
inline const char* const kEditsAnswers[] = {"Cancel", "No", "Yes, save cancelled", "Yes, saved"};

// Scripts one of them (for Yes also the Save As dialog's answer, the path
// when saved); true when the command goes on after it.
inline bool AnswerEditsQuestion(FakeMessageBoxes& msg, FakeFileDialogs& files, const QString& answer,
                                const QString& savePath) {
    const bool saved = answer == QLatin1String("Yes, saved");
    if (answer == QLatin1String("Cancel")) msg.answer(MsgAnswer::Cancel);
    if (answer == QLatin1String("No")) msg.answer(MsgAnswer::No);
    if (answer.startsWith(QLatin1String("Yes"))) {
        msg.answer(MsgAnswer::Yes);
        files.answer(saved ? std::optional<QString>(savePath) : std::nullopt);
    }
    return saved || answer == QLatin1String("No");
}

inline QStringList MessageTexts(const FakeMessageBoxes& msg) {
    QStringList t;
    for (const auto& s : msg.shown) t << s.text;
    return t;
}

} // namespace rer::test
