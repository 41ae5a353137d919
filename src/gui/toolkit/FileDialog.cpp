#include "toolkit/FileDialog.h"

#include <QFileDialog>
#include <QWidget>

namespace toolkit {

QStringList TranslateFilter(const QString& stored) {
  QStringList filters;
  if (stored.isEmpty()) return filters;
  const QStringList parts = stored.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    }
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters;
}

TFileDialog::TFileDialog(QWidget* owner, const QString& name, DialogKind kind)
    : QObject(owner), owner_(owner), kind_(kind) {
  setObjectName(name);
}

bool TFileDialog::Execute() {
  DialogRequest request;
  request.kind = kind_;
  request.name = objectName();
  request.filter = Filter;
  request.fileName = FileName;
  if (const std::optional<DialogAnswer> answer = AskResponder(request)) {
    if (answer->accepted) FileName = answer->fileName;
    return answer->accepted;
  }

  QFileDialog dialog(owner_);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  if (kind_ == DialogKind::kSaveFile) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
  }
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = TranslateFilter(Filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
  }
  if (!FileName.isEmpty()) dialog.selectFile(FileName);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  FileName = chosen.first();
  return true;
}

}  // namespace toolkit
