#include "core/databaseerrortext.h"

#include "core/database.h"

#include <QDir>
#include <QFileInfo>

namespace DatabaseErrorText {

namespace {

constexpr int ReadOnlyBecauseMoved = 1032; // SQLITE_READONLY_DBMOVED
// SQLITE_READONLY_DIRECTORY: the file may be written, its folder not, so the journal that every
// change needs beside the file cannot be made.
constexpr int ReadOnlyFolder = 1544;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString cause(int extendedCode, const Context &context)
{
    if (extendedCode == DatabaseError::RefusedByProgram)
        return QString();
    const QString file = native(context.databasePath);
    if (context.fileMovedOrDeleted || extendedCode == ReadOnlyBecauseMoved) {
        return QStringLiteral("データベースファイル「%1」が見つかりません。Parvela を使っている間に削除されたか、"
                              "移動されました。Parvela を終了し、ファイルを元の場所に戻してから起動し直してください。")
            .arg(file);
    }
    if (extendedCode == ReadOnlyFolder) {
        return QStringLiteral(
                   "データベースのフォルダ「%1」に書き込めません（読み取り専用のフォルダです）。変更のたびに"
                   "作業用のファイルをこのフォルダに作るため、ファイル「%2」に書き込めても保存できません。"
                   "フォルダに書き込めるよう権限を変えるか、データベースを書き込めるフォルダに移してください。")
            .arg(native(QFileInfo(context.databasePath).absolutePath()), QFileInfo(context.databasePath).fileName());
    }
    switch (extendedCode & 0xFF) {
    case 3:  // PERM
    case 23: // AUTH
        return QStringLiteral(
                   "データベースファイル「%1」を使うことが許可されていません。ファイルの権限を確かめてください。")
            .arg(file);
    case 5: // BUSY
    case 6: // LOCKED
        return QStringLiteral("データベースが他のプログラムに使われています。そのプログラムを終了してから、"
                              "もう一度やり直してください。");
    case 7: // NOMEM
        return QStringLiteral("メモリが足りません。ほかのプログラムを終了してから、もう一度やり直してください。");
    case 8: // READONLY
        return QStringLiteral("データベースファイル「%1」に書き込めません（読み取り専用です）。ファイルとフォルダに"
                              "書き込めるか確かめてください。")
            .arg(file);
    case 10: // IOERR
        return QStringLiteral("ディスクの読み書きに失敗しました。ディスクやネットワークの接続を確かめてから、"
                              "もう一度やり直してください。");
    case 11: // CORRUPT
    case 26: // NOTADB
        return QStringLiteral("データベースファイルが壊れています。Parvela を終了し、ヘルプの「バックアップから戻す"
                              "には」の手順で写しから戻してください。");
    case 13: // FULL
        return QStringLiteral("ディスクがいっぱいです。不要なファイルを削除して空きを作ってから、もう一度やり直して"
                              "ください。");
    case 14: // CANTOPEN: the journal beside the file cannot be made, or the file cannot be opened
        return QStringLiteral("データベースのフォルダ「%1」に作業用のファイルを作れないか、データベースファイルを"
                              "開けません。フォルダに書き込めるか、ファイルが消えていないかを確かめてください。")
            .arg(native(QFileInfo(context.databasePath).absolutePath()));
    case 17: // SCHEMA
        return QStringLiteral("データベースの構造が他のプログラムに変えられました。もう一度やり直してください。");
    case 18: // TOOBIG
        return QStringLiteral("入力された値が大きすぎて保存できません。短くしてください。");
    case 19: // CONSTRAINT
        return QStringLiteral("データベースの決まり（同じ番号の行は作れない、など）に合わないため保存できません。"
                              "画面を開き直してから、もう一度やり直してください。");
    case 22: // NOLFS
        return QStringLiteral("このディスクでは大きなファイルを扱えません。別のディスクに移してください。");
    case 1: // ERROR: a table or column the statement needs is not there
        return QStringLiteral("データベースの中身が Parvela の使う形と違います（表や列が見つかりません）。"
                              "他のプログラムで変えられた可能性があります。バックアップから戻してください。");
    default: // the engine's own faults (INTERNAL, MISUSE, RANGE, …): nothing the user caused
        return QStringLiteral("データベースの処理が途中で止まりました（コード %1）。Parvela を起動し直してから、"
                              "もう一度やり直してください。")
            .arg(extendedCode);
    }
}

} // namespace DatabaseErrorText
