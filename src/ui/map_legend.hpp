#pragma once

#include <QWidget>

// The main map's fixed legend: the depth colours with their boundaries and
// the disc sizes by magnitude.
class MapLegend : public QWidget {
  public:
    explicit MapLegend(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};
