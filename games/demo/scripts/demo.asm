; The demo game: a title that hands over to a small room. Click in the room
; to count clicks; the right button or any key leaves.

; Keeps the score for every game of the demo.
module score
method init
  new int, clicks
  new string, line
end method
method add
  add clicks, 1
  pop clicks
end method
method report
  mov line, "clicks so far: "
  add line, clicks
  pop line
  call line, print
end method
end module

game title
method init
  new string, msg
  mov msg, "velkor demo: click in the room, right-click or a key to leave"
  call msg, to_u
  pop msg
  call msg, print
  push "room"
  call gameapi, play
end method
method exit
  call gameapi, getnextgame
  pop msg
  call msg, print
end method
end game

game room
method init
  new real, angle
  new int, steps
  new string, note
  call gameapi, stdbkg
  mov angle, 30.0
  call angle, sin
  pop angle
  call angle, print
  mov steps, 2
  push 10
  call steps, pow
  pop steps
  call steps, print
  call gameapi, getgamename
  pop note
  call note, print
end method
method mouselclick
  call score, add
  call score, report
end method
method mouserclick
  call gameapi, exit
end method
method keydown
  call gameapi, exit
end method
method appactivate
  mov note, "window active"
  call note, print
end method
method exit
  call gameapi, freestdbkg
  call score, report
end method
end game

push "title"
call gameapi, play
