; The same method name on every level of the search, each object missing
; one more level: its class, the common methods, its added methods, its
; owner's script methods, the running game's, the global class's, nothing.
module out
method init
  new string, line
end method
method say
  pop line
  call line, print
end method
end module

class full
method who
  push "class level"
  call out, say
end method
method getname
  push "class getname beats the common one"
  call out, say
end method
end class

class bare
end class

module holder
method who
  push "owner level, running on"
  call out, say
  cthis getname
  call out, say
end method
method make
  new bare, kid
  call kid, who
end method
end module

module plain
method make
  new bare, kid2
  call kid2, who
end method
method make2
  new bare, kid3
  call kid3, who
  call kid3, nowhere
end method
end module

game g
method who
  push "game level, running on"
  call out, say
  cthis getname
  call out, say
end method
method addedwho
  push "added level"
  call out, say
end method
method init
  new full, a
  call a, who
  call a, getname
  new bare, b
  push "who"
  push "addedwho"
  call b, addmethod
  call b, who
  push "getname"
  push "addedwho"
  call b, addmethod
  call b, getname
  call out, say
  call holder, make
  call plain, make
  push "g2"
  call gameapi, play
end method
end game

game g2
method init
  call plain, make2
  call gameapi, exit
end method
end game

method who
  push "global level"
  call out, say
end method

push "g"
call gameapi, play
