#pragma once
// The word lists behind the generators (hospitalgen_data.cpp).
#include <QString>
#include <QVector>
#include <initializer_list>

namespace hospitalgen::data {

QVector<QString> list(std::initializer_list<const char*> items);
const QVector<QString>& surnames(); // the most common first
const QVector<QString>& olderMen(); // given names of people past forty, and younger ones
const QVector<QString>& youngerMen();
const QVector<QString>& olderWomen();
const QVector<QString>& youngerWomen();
const QVector<QString>& streets();
const QVector<QString>& barangays();

} // namespace hospitalgen::data
