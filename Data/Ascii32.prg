$ CAR 32
