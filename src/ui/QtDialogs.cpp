#include "ui/QtDialogs.h"

#include "picture/BitmapImage.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

namespace zolvera::ui {

namespace {

QMessageBox::Icon messageBoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

// "*.jpg" as "*.[jJ][pP][gG]": Qt's file dialog matches names with the file system's case
// rules, and the program's rule is to ignore case.
QString caseFreePattern(const QString& pattern) {
    QString result;
    for (const QChar c : pattern) {
        if (c.toLower() != c.toUpper())
            result += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            result += c;
    }
    return result;
}

// A pane beside the file list that shows the selected picture, fitted into its area.
void addPreviewPane(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr)
        return;
    auto* preview = new QLabel(&dialog);
    preview->setFixedSize(200, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);

    QObject::connect(
        &dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
            preview->clear();
            try {
                const auto picture = picture::JpegPicture::load(path.toStdString());
                const QSize fitted =
                    QSize(picture.width(), picture.height())
                        .scaled(preview->size() - QSize(8, 24), Qt::KeepAspectRatio);
                preview->setPixmap(QPixmap::fromImage(picture::decodeStretched(picture, fitted)));
            } catch (const std::exception&) {
                // Folders and files that are no pictures simply show nothing.
            }
        });
}

} // namespace

QString qtNameFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    const QString description = bar < 0 ? filter : filter.left(bar);
    const QString patterns = bar < 0 ? QStringLiteral("*") : filter.mid(bar + 1);
    QStringList qtPatterns;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        qtPatterns.append(caseFreePattern(pattern.trimmed()));
    return description + QStringLiteral(" (") + qtPatterns.join(QLatin1Char(' ')) +
           QLatin1Char(')');
}

bool QtDialogs::message(const MessageRequest& request) {
    QMessageBox box(messageBoxIcon(request.icon), request.caption, request.text,
                    request.yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    request.owner);
    // The text is shown as written: a name holding "<b>" is a name, not markup.
    box.setTextFormat(Qt::PlainText);
    const int answer = box.exec();
    // A box that ends without a button (its owner gone, its loop quit) is no Yes.
    return request.yesNo ? answer == QMessageBox::Yes : true;
}

std::optional<QString> QtDialogs::chooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(request.owner, request.title, request.directory);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(qtNameFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    const bool open = request.mode == FileDialogRequest::Mode::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setSizeGripEnabled(true);
    if (request.picturePreview)
        addPreviewPane(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace zolvera::ui
