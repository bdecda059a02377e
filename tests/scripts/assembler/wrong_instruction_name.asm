Mov a, b
