#pragma once
// One patient or student record as the older profile pages held it.
#include <QString>
#include <cstdint>

struct Person {
    QString firstName;
    QString lastName;
    QString chartNumber;
    QString age;
    int32_t genderFlag = 0;
    QString birthDate;
    QString phoneNumber;
    QString email;

    bool operator==(const Person &) const = default;
};
