// A push button as the windows' layouts give them: a caption, an object name and a place.
#pragma once

class QPushButton;
class QRect;
class QString;
class QWidget;

namespace quendrith {

QPushButton* makePushButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry);

}  // namespace quendrith
