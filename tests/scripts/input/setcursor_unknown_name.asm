; A cursor named after no object ends the program.
push "nowhere"
call mouse, setcursor
