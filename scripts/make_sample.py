#!/usr/bin/env python3
"""Writes the sample diary that ships with the program into data/sample/.

The files are code page 932 text with CR LF line ends, as the program writes
them. The measurement file starts on 2004/03/14 (the day the sample is known
by) and runs seven weeks: one to four weighings on most days, none on a few,
four on 2004/03/28 (the day shown when the sample is opened), a weight that
goes down with the ups and downs of real weighings, and a few one-line diary
comments. The output is fixed: run it again and the files come out the same.

    python3 scripts/make_sample.py
"""

import datetime
import os
import random

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "sample")

USER_NAME = "ズマ子"
HEIGHT = 168.5
TARGET = 65
STATUSES = ["起床後", "朝食後", "昼食後", "夕食前", "入浴後", "就寝前"]
START_STATUS = "はじめの一歩"
START = datetime.date(2004, 3, 14)
DAYS = 49
SKIPPED_DAYS = {5, 11, 19, 26, 33, 40}  # days after the start without a weighing
COMMENTS = {
    (0, 0): "今日からダイエット開始！",
    (3, 1): "ウォーキング30分",
    (7, 0): "久しぶりに71kg台",
    (14, 2): "夕食は腹八分目",
    (15, 1): "友達とケーキバイキング。反省…",
    (14, 3): "寝る前にストレッチ",
    (21, 0): "順調に減ってきた",
    (30, 1): "飲み会で食べ過ぎた",
    (38, 0): "体が軽くなってきた",
}

# The day shown when the sample opens: a good day that ends below its morning.
SHOWN_DAY_WEIGHTS = [71.0, 71.4, 71.3, 70.9]

# How the weight of a weighing differs from the day's morning weight.
STATUS_OFFSET = {"起床後": 0.0, "朝食後": 0.5, "昼食後": 0.9, "夕食前": 0.6, "入浴後": 0.4,
                 "就寝前": 1.1}


def number(value):
    """The shortest text of a single-precision value, as the program writes it."""
    text = "%.7g" % value
    return text


def quoted(text):
    return '"' + text + '"'


def write(name, lines):
    data = "".join(line + "\r\n" for line in lines).encode("cp932")
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def measurements():
    rng = random.Random(20040314)
    lines = []
    base = 72.4
    for day in range(DAYS):
        date = START + datetime.timedelta(days=day)
        if day in SKIPPED_DAYS:
            continue
        # The trend: about 3.5 kg in seven weeks, with a plateau and a relapse.
        trend = 72.4 - 3.6 * day / DAYS
        if 15 <= day <= 17:
            trend += 0.6  # the cake week
        if 30 <= day <= 31:
            trend += 0.5  # the party
        base = trend + rng.uniform(-0.3, 0.3)
        if day == 0:
            chosen = [START_STATUS, "夕食前", "就寝前"]
        elif date == datetime.date(2004, 3, 28):
            chosen = ["起床後", "朝食後", "夕食前", "就寝前"]
        else:
            count = rng.choice([1, 1, 2, 2, 2, 3, 3, 4])
            chosen = sorted(rng.sample(STATUSES, count), key=STATUSES.index)
        for index, status in enumerate(chosen):
            offset = STATUS_OFFSET.get(status, 0.0)
            weight = round(base + offset + rng.uniform(-0.15, 0.15), 1)
            if date == datetime.date(2004, 3, 28):
                weight = SHOWN_DAY_WEIGHTS[index]
            fat = round(28.6 - 2.4 * day / DAYS + rng.uniform(-0.4, 0.4) - offset * 0.3, 1)
            basal = int(round(1352 - 20 * day / DAYS + rng.uniform(-6, 6)))
            visceral = 9 if day < 24 else 8
            muscle = round(49.0 - 0.5 * day / DAYS + rng.uniform(-0.2, 0.2), 1)
            score = 95 + (day * 4) // DAYS + rng.choice([-1, 0, 0, 1])
            bone = 2.8 if rng.random() < 0.7 else 2.7
            comment = COMMENTS.get((day, index), "")
            fields = [quoted(date.strftime("%Y/%m/%d")), quoted(status), number(weight),
                      number(fat), str(basal), str(visceral), number(muscle), str(score),
                      number(bone), quoted(comment), quoted("")]
            lines.append(",".join(fields))
    return lines


def main():
    os.makedirs(OUT, exist_ok=True)
    write("measurements.txt", measurements())
    write("personal.txt", [quoted("氏名") + "," + quoted(USER_NAME),
                           quoted("身長") + "," + number(HEIGHT),
                           quoted("目標体重") + "," + number(TARGET)])
    write("statuslist.txt", [quoted(s) for s in STATUSES])
    write("memo.txt", ["朝起きたらまず体重計に乗る。", "夜9時を過ぎたら食べない。",
                       "週末はウォーキング。"])
    write("helptour.txt", [quoted("ヘルプツアー") + ",1"])
    write("increments.txt", ["0.1", "0.1"])
    write("movingaverage.txt", ["10"])
    write("autotime.txt", [" 0"])
    write("marker.txt", ["0"])


if __name__ == "__main__":
    main()
