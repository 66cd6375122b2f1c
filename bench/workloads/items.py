#!/usr/bin/env python3
"""Makes the "items" workload of the grid and report benchmarks: an SQLite file
with one table of N article rows.

usage: items.py N OUT.sqlite

    items(id, code, name, price, qty, amount, tax), ordered by id:
      id      1 .. N
      code    'C' and the id in 7 digits
      name    10 Chinese characters drawn from a fixed pool of 50
      price   0 .. 9999.999999 with 6 decimals
      qty     0.01 .. 500.00 with 2 decimals
      amount  price * qty rounded to 2 decimals (up to about 5 000 000, so
              the report shows thousands separators)
      tax     13 % of the amount rounded to 2 decimals

Every value comes from one 64-bit linear congruential generator with a fixed
seed, of which each step gives its upper 31 bits: the same N makes the same
rows on every machine and every Python 3. bench/preview/W1Pages.cpp draws the
same rows from the same generator; change both or neither.
"""
import os
import sqlite3
import sys

NAME_POOL = ("商品名称测试数据苹果香蕉橙子葡萄西瓜草莓芒果菠萝桃子梨子"
             "钢铁木材塑料玻璃纸张布料电缆螺丝轴承齿轮阀门管道")
SEED = 0x2545F4914F6CDD1D
MULTIPLIER = 6364136223846793005
INCREMENT = 1442695040888963407
MASK64 = (1 << 64) - 1


class Generator:
    def __init__(self):
        self.state = SEED

    def next(self):
        self.state = (self.state * MULTIPLIER + INCREMENT) & MASK64
        return self.state >> 33


def rows(count):
    draw = Generator().next
    for item in range(1, count + 1):
        # The order of the draws is part of the workload: name, price, quantity.
        name = "".join(NAME_POOL[draw() % len(NAME_POOL)] for _ in range(10))
        price = (draw() % 10_000_000_000) / 1_000_000.0
        qty = (1 + draw() % 50_000) / 100.0
        amount = round(price * qty, 2)
        tax = round(amount * 0.13, 2)
        yield (item, "C%07d" % item, name, price, qty, amount, tax)


def main():
    if len(sys.argv) != 3 or not sys.argv[1].isdigit():
        sys.exit("usage: items.py N OUT.sqlite")
    count, out = int(sys.argv[1]), sys.argv[2]
    if os.path.exists(out):
        os.remove(out)
    db = sqlite3.connect(out)
    db.execute("CREATE TABLE items (id INTEGER PRIMARY KEY, code TEXT NOT NULL, "
               "name TEXT NOT NULL, price REAL NOT NULL, qty REAL NOT NULL, "
               "amount REAL NOT NULL, tax REAL NOT NULL)")
    db.executemany("INSERT INTO items VALUES (?,?,?,?,?,?,?)", rows(count))
    db.commit()
    total = db.execute("SELECT COUNT(*), printf('%.2f', SUM(amount)), printf('%.2f', SUM(tax)) "
                       "FROM items").fetchone()
    db.close()
    print("rows=%d sum_amount=%s sum_tax=%s -> %s" % (total[0], total[1], total[2], out))


if __name__ == "__main__":
    main()
