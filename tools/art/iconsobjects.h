#pragma once

// Icons that show an object (cart, calendar, house, ...) rather than a round action badge.

class QPainter;

namespace art {

void paintAddToCart(QPainter &p);
void paintRemoveFromCart(QPainter &p);
void paintCalculator(QPainter &p);
void paintCalendar(QPainter &p);
void paintChart(QPainter &p);
void paintFind(QPainter &p);
void paintHome(QPainter &p);
void paintMegaphone(QPainter &p);
void paintNews(QPainter &p);
void paintPencil(QPainter &p);
void paintRss(QPainter &p);
void paintSchoolBoard(QPainter &p);
void paintToolbox(QPainter &p);
void paintTools(QPainter &p);
void paintTrash(QPainter &p);
void paintUsers(QPainter &p);

} // namespace art
